#pragma once
// An event loop as the program runs it: unlike QTest's waits it goes idle between events, so
// what the program does when it is about to wait for the user runs too.

#include <QEventLoop>
#include <QTimer>
#include <functional>

namespace nv::test {

// Runs the loop until the condition holds, at most 10 s.
inline bool runLoopUntil(const std::function<bool()>& done) {
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done()) loop.quit();
    });
    poll.start(2);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    return done();
}

}  // namespace nv::test
