// Acts on the next modal window of type D once it is up, so a test can
// answer a dialog that the code under test opens with exec(). Events that
// run before it (a wait window stepping) do not trigger the act early.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QTimer>
#include <functional>
#include <string>

template <typename D>
void OnNextModal(std::function<void(D&)> act, int triesLeft = 1000) {
  QTimer::singleShot(triesLeft == 1000 ? 0 : 5, [act, triesLeft] {
    if (auto* dialog = dynamic_cast<D*>(QApplication::activeModalWidget())) {
      act(*dialog);
    } else if (triesLeft > 0) {
      OnNextModal<D>(act, triesLeft - 1);
    } else {
      ADD_FAILURE() << "no modal window came up";
    }
  });
}

// Answers the next file dialog by choosing path, as the user does who types
// it and presses Enter.
inline void ChooseFile(const std::string& path) {
  OnNextModal<QFileDialog>([path](QFileDialog& dialog) {
    dialog.selectFile(QString::fromStdString(path));
    QMetaObject::invokeMethod(&dialog, "accept");
  });
}

// Answers the next folder dialog with folder; keeps in start the folder it
// opened on, when asked.
inline void ChooseFolder(const std::string& folder, QString* start = nullptr) {
  OnNextModal<QFileDialog>([folder, start](QFileDialog& dialog) {
    if (start != nullptr) *start = dialog.directory().absolutePath();
    dialog.setDirectory(QString::fromStdString(folder));
    static_cast<QDialog&>(dialog).accept();
  });
}
