#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace netedit::testing {

// Runs `open`, which shows a modal box, and calls `drive` once with that box while it is open.
// A watchdog closes any box still open after a few seconds so that a test can never hang.
template <typename Result>
Result WithModalBox(const std::function<Result()>& open, const std::function<void(QDialog&)>& drive) {
    bool driven = false;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (box == nullptr || driven || !box->isVisible()) {
            return;
        }
        driven = true;
        drive(*box);
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] {
        ADD_FAILURE() << "a modal box was still open when the watchdog fired";
        while (QWidget* box = QApplication::activeModalWidget()) {
            box->close();
            if (QApplication::activeModalWidget() == box) {
                box->hide();
            }
        }
    });
    poll.start();
    watchdog.start(5000);
    Result result = open();
    EXPECT_TRUE(driven) << "no modal box appeared";
    return result;
}

} // namespace netedit::testing
