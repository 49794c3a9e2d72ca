// Helpers shared by the XML tests: files with the two header lines, and a scratch folder.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace kalvora::testing {

// The two header lines and the empty line the writer puts before the document element, so
// that `body` starts on line 4.
inline std::string WithHeader(std::string_view body, std::string_view root = "Doc") {
    std::string file = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<!DOCTYPE ";
    file += root;
    file += " SYSTEM \"";
    file += root;
    file += ".dtd\">\n\n";
    file += body;
    return file;
}

inline std::string ToCrLf(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

inline std::string Contents(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void Put(const std::filesystem::path& file, std::string_view text) {
    std::ofstream(file, std::ios::binary) << text;
}

// A fresh folder per test, removed afterwards.
class ScratchFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = std::filesystem::temp_directory_path() /
                  (std::string("kalvora-xml-") + info->test_suite_name() + "-" + info->name());
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override {
        std::filesystem::permissions(folder_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add);
        std::filesystem::remove_all(folder_);
    }
    std::size_t FileCount() const {
        return static_cast<std::size_t>(
            std::distance(std::filesystem::directory_iterator(folder_), {}));
    }

    std::filesystem::path folder_;
};

}  // namespace kalvora::testing
