// Double-clicks the place of that name in a places window on the screen, and
// answers the next places window opened for picking that way.
#pragma once

#include <gtest/gtest.h>

#include <QListView>
#include <QTest>

#include "app/places/GPSLocations.h"
#include "tests/windows/OnNextModal.h"

inline void DoubleClickPlace(TfrmGPS& places, const QString& name) {
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&places));
  const QAbstractItemModel* rows = places.LB->model();
  const QModelIndexList found =
      rows->match(rows->index(0, 0), Qt::DisplayRole, name, -1, Qt::MatchExactly);
  ASSERT_EQ(found.size(), 1);
  const QPoint at = places.LB->visualRect(found.front()).center();
  QTest::mouseClick(places.LB->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(places.LB->viewport(), Qt::LeftButton, {}, at);
}

inline void PickPlaceOnNextModal(const QString& name) {
  OnNextModal<TfrmGPS>([name](TfrmGPS& places) { DoubleClickPlace(places, name); });
}
