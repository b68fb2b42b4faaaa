// The render scheduler on its own, with no window: merging, stopping, the order of ends.
#include <QtTest>

#include "orvandel/fileio/failure.h"
#include "scene_corners.h"
#include "viewer/render_scheduler.h"

using namespace orvandel;
using namespace orvandel::gui;

Q_DECLARE_METATYPE(QList<QSize>)

class tst_RenderScheduler : public QObject {
  Q_OBJECT

 private slots:
  void requestsMergeAndEndInOrder_data();
  void requestsMergeAndEndInOrder();
  void failedRenderTellsItsFailure();
};

void tst_RenderScheduler::requestsMergeAndEndInOrder_data() {
  QTest::addColumn<QList<QSize>>("before");  // asked for before the event loop runs
  QTest::addColumn<QList<QSize>>("during");  // asked for as the first render starts
  QTest::addColumn<bool>("stop");            // the first render stopped as it starts
  QTest::addColumn<QList<QSize>>("ends");    // each end's picture size; empty: none
  QTest::newRow("merged before") << QList<QSize>{{100, 50}, {30, 20}} << QList<QSize>{} << false
                                 << QList<QSize>{{30, 20}};
  QTest::newRow("merged while running")
      << QList<QSize>{{40, 40}} << QList<QSize>{{20, 10}, {60, 30}} << false
      << QList<QSize>{{40, 40}, {60, 30}};
  QTest::newRow("stopped") << QList<QSize>{{40, 40}} << QList<QSize>{{60, 30}} << true
                           << QList<QSize>{{}};
  QTest::newRow("never below one pixel")
      << QList<QSize>{{0, -3}} << QList<QSize>{} << false << QList<QSize>{{1, 1}};
}

void tst_RenderScheduler::requestsMergeAndEndInOrder() {
  QFETCH(QList<QSize>, before);
  QFETCH(QList<QSize>, during);
  QFETCH(bool, stop);
  QFETCH(QList<QSize>, ends);
  ViewerState state;
  state.SceneFaces = test::SceneOf({{{0, 0, 0}, {0, 1, 0}, {1, 0, 0}, 120}});
  RenderScheduler scheduler(state);
  QList<QSize> ended;
  QList<bool> busy;
  connect(&scheduler, &RenderScheduler::Ended, this,
          [&](const std::shared_ptr<PictureImage>& picture, std::exception_ptr failure) {
            QVERIFY(!failure);
            ended.push_back(picture ? picture->Image().size() : QSize());
          });
  connect(&scheduler, &RenderScheduler::BusyChanged, this, [&](bool now) {
    busy.push_back(now);
    if (!now || busy.size() > 1) return;
    for (const QSize& size : during)
      scheduler.Request(size);
    if (stop) scheduler.Stop();
  });
  for (const QSize& size : before)
    scheduler.Request(size);
  QVERIFY(ended.isEmpty() && scheduler.Busy());
  QTRY_VERIFY(!scheduler.Busy());
  QCOMPARE(ended, ends);
  QCOMPARE(busy, (QList<bool>{true, false}));
  QCOMPARE(state.SceneFaces.faces.size(), std::size_t{1});  // the scene is back
  QTest::qWait(20);  // a stopped render's late notice changes nothing
  QCOMPARE(ended, ends);
}

void tst_RenderScheduler::failedRenderTellsItsFailure() {
  ViewerState state;  // a vertical line has no width as the observer sees it
  state.SceneFaces = test::SceneOf({{{0, 0, 0}, {0, 0, 1}, {0, 0, 2}, 120}});
  RenderScheduler scheduler(state);
  QString message;
  connect(&scheduler, &RenderScheduler::Ended, this,
          [&](const std::shared_ptr<PictureImage>& picture, std::exception_ptr failure) {
            QVERIFY(picture == nullptr);
            try {
              std::rethrow_exception(failure);
            } catch (const Failure& refusal) {
              message = refusal.what();
            }
          });
  scheduler.Request({50, 50});
  QTRY_COMPARE(message, QString("Division by zero!"));
}

QTEST_GUILESS_MAIN(tst_RenderScheduler)
#include "render_scheduler_test.moc"
