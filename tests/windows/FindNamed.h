// A window's control by its object name; a missing one fails the test.
#pragma once

#include <gtest/gtest.h>

#include <QObject>

template <typename T>
T* FindNamed(const QObject& window, const char* name) {
  T* found = window.findChild<T*>(name);
  EXPECT_NE(found, nullptr) << name;
  return found;
}
