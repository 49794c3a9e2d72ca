#include "platform/qt/qt_main_thread.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <atomic>
#include <thread>
#include <vector>

namespace kalvora::platform {
namespace {

QCoreApplication& App() {
    static int argc = 1;
    static char name[] = "platform_qt_main_thread_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

TEST(QtMainThreadTest, TasksFromAnyThreadRunOnTheMainThreadInOrder) {
    QCoreApplication& app = App();
    QtMainThread mainThread;
    std::vector<int> order;
    std::atomic<bool> allOnMainThread{true};
    const QThread* main = app.thread();
    std::thread worker([&] {
        for (int i = 0; i < 100; ++i) {
            mainThread.Post([&, i] {
                if (QThread::currentThread() != main) allOnMainThread = false;
                order.push_back(i);
            });
        }
    });
    worker.join();
    EXPECT_TRUE(order.empty());  // nothing runs inside Post
    QElapsedTimer timer;
    timer.start();
    while (order.size() < 100 && timer.elapsed() < 10000)
        QCoreApplication::processEvents();
    ASSERT_EQ(order.size(), 100u);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(order[static_cast<std::size_t>(i)], i);
    EXPECT_TRUE(allOnMainThread);
}

TEST(QtMainThreadTest, TasksStillQueuedAtDestructionAreDropped) {
    App();
    bool ran = false;
    {
        QtMainThread mainThread;
        mainThread.Post([&] { ran = true; });
    }
    QCoreApplication::processEvents();
    EXPECT_FALSE(ran);
}

}  // namespace
}  // namespace kalvora::platform
