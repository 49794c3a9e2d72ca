// One application object for the platform tests, made before the first test runs: the
// canvas needs a QGuiApplication, the audio classes any application.
#include <gtest/gtest.h>

#include <QGuiApplication>

namespace {

class QtEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "platform_qt_tests";
        static char* argv[] = {name, nullptr};
        application_ = new QGuiApplication(argc, argv);
    }
    void TearDown() override {
        delete application_;
        application_ = nullptr;
    }

  private:
    QGuiApplication* application_ = nullptr;
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace
