// One QApplication for all GUI tests, created before the first test runs. The frames the
// tests make keep their settings (the recent files) in a folder of this run, not in the
// user's own.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

namespace {

class QtEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "gui_tests";
        static char* argv[] = {name, nullptr};
        application_ = new QApplication(argc, argv);
        if (settings_.isValid()) qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings_.path()));
    }
    void TearDown() override {
        delete application_;
        application_ = nullptr;
    }

  private:
    QApplication* application_ = nullptr;
    QTemporaryDir settings_;
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace
