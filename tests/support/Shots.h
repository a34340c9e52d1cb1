#pragma once
// Saves a picture of a widget when NV742_SHOTS names a folder, for looking at what a test saw.

#include <QDir>
#include <QWidget>

namespace nv::test {

inline void shot(QWidget* w, const QString& name) {
    const QString dir = qEnvironmentVariable("NV742_SHOTS");
    if (dir.isEmpty() || !w) return;
    QDir().mkpath(dir);
    w->grab().save(dir + "/" + name + ".png");
}

}  // namespace nv::test
