// Answers the next places window opened for picking by double-clicking the
// place of that name.
#pragma once

#include <gtest/gtest.h>

#include <QListWidget>
#include <QTest>

#include "app/GPSLocations.h"
#include "tests/windows/OnNextModal.h"

inline void PickPlaceOnNextModal(const QString& name) {
  OnNextModal<TfrmGPS>([name](TfrmGPS& places) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&places));
    const QList<QListWidgetItem*> found = places.LB->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    const QPoint at = places.LB->visualItemRect(found.front()).center();
    QTest::mouseClick(places.LB->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(places.LB->viewport(), Qt::LeftButton, {}, at);
  });
}
