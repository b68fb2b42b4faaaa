// The map window, the height popup and the control panel over a map larger than the
// screen, driven with real mouse and key events.
#include <QLabel>
#include <QMdiArea>
#include <QScreen>
#include <QScrollBar>
#include <QWheelEvent>
#include <QtTest>
#include <memory>

#include "block_map.h"
#include "mapinput/orvan_map_f.h"
#include "mapinput/orvan_set_f.h"
#include "running_program.h"
#include "user_input.h"

using namespace orvandel;
using namespace orvandel::gui;

namespace {

QRect GlobalRect(const QWidget* widget) {
  return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
}

// The points along the edges of a rectangle: its corners and the middles of its sides.
QList<QPoint> EdgePoints(const QRect& r) {
  const QPoint c = r.center();
  return {r.topLeft(),     QPoint(c.x(), r.top()),    r.topRight(),   QPoint(r.right(), c.y()),
          r.bottomRight(), QPoint(c.x(), r.bottom()), r.bottomLeft(), QPoint(r.left(), c.y())};
}

}  // namespace

class tst_MapWindow : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void popupStaysOnTheScreenWhereverTheMapIsClicked();
  void enterInThePopupIsOAndEscapeChangesNothing();
  void popupShowsTheColourItEdits();
  void panelStaysAboveABigMapWhateverIsScrolled();
  void hoveringOverTheMapTellsTheColourAndItsHeight();
  void swatchesTellTheirIndexAndColour();
  void bigMapFitsAndZoomedMapPicksThePixelUnderThePointer();

 private:
  void OpenBigMap();
  MapView* Map() const { return run_->Main()->frmMap->Image1; }
  TfrmSet* Popup() const { return run_->program.frmSet.get(); }
  // Clicks the map at a point of the screen; answer runs in the popup that opens.
  void ClickMapAt(const QPoint& screen_point, const std::function<void(TfrmSet*)>& answer);
  bool PanelIsOnTopAt(const QPoint& panel_point) const;

  std::unique_ptr<RunningProgram> run_;
};

void tst_MapWindow::init() {
  run_ = std::make_unique<RunningProgram>();
  QVERIFY(run_->started);
  QVERIFY(QTest::qWaitForWindowExposed(run_->Main()));
}

void tst_MapWindow::cleanup() {
  run_.reset();
}

// Larger than the screen whatever its size.
void tst_MapWindow::OpenBigMap() {
  const QSize screen = run_->Main()->screen()->availableGeometry().size() + QSize(300, 300);
  run_->OpenMap(run_->WriteFile("big.bmp", BlockMap(16, screen.width(), screen.height())));
  QVERIFY(run_->Main()->MapWindowOpen());
}

void tst_MapWindow::ClickMapAt(const QPoint& screen_point,
                               const std::function<void(TfrmSet*)>& answer) {
  AnswerNextModal<TfrmSet>(answer);
  QTest::mouseClick(Map(), Qt::LeftButton, {}, Map()->mapFromGlobal(screen_point));
  QVERIFY(!Popup()->isVisible());
}

bool tst_MapWindow::PanelIsOnTopAt(const QPoint& panel_point) const {
  TfrmMainMDI* main = run_->Main();
  QWidget* top = main->childAt(main->mapFromGlobal(run_->Panel()->mapToGlobal(panel_point)));
  return top != nullptr && (top == run_->Panel() || run_->Panel()->isAncestorOf(top));
}

void tst_MapWindow::popupStaysOnTheScreenWhereverTheMapIsClicked() {
  OpenBigMap();
  const QRect screen = run_->Main()->screen()->availableGeometry();
  const QRect visible = GlobalRect(Map()) & GlobalRect(run_->Main()->MdiArea->viewport()) & screen;
  QList<QPoint> pointers = EdgePoints(visible);
  pointers << visible.center();
  for (const QPoint& pointer : pointers) {
    QRect place;
    ClickMapAt(pointer, [&](TfrmSet* popup) {
      place = popup->frameGeometry();
      QTest::keyClick(popup, Qt::Key_Escape);
    });
    QVERIFY2(screen.contains(place), qPrintable(QString("clicked at %1, %2, popup at %3, %4")
                                                    .arg(pointer.x())
                                                    .arg(pointer.y())
                                                    .arg(place.x())
                                                    .arg(place.y())));
    QCOMPARE(place.size(), QSize(104, 46));
    if (pointer == visible.center()) QCOMPARE(place.topLeft(), pointer + QPoint(-46, 25));
  }
}

void tst_MapWindow::enterInThePopupIsOAndEscapeChangesNothing() {
  run_->OpenMap(run_->WriteFile("blocks.bmp", BlockMap()));
  const QPoint colour_6 = Map()->mapToGlobal(QPoint(9, 5));
  ClickMapAt(colour_6, [](TfrmSet* popup) {
    QTest::keyClicks(popup->MaskEdit1, "450");
    QTest::keyClick(popup->MaskEdit1, Qt::Key_Return);
  });
  ClickMapAt(colour_6, [](TfrmSet* popup) {
    QTest::keyClicks(popup->MaskEdit1, "9");
    QTest::keyClick(popup->MaskEdit1, Qt::Key_Escape);
  });
  QCOMPARE(run_->Panel()->FieldByTag(6)->FieldText(), QString("450"));
  QCOMPARE(Popup()->MaskEdit1->FieldText(), QString("450"));  // kept for the next use
}

// Its swatch, framed, and its index; the value field shows the colour's height when it has
// one, else the value it had (Escape leaves it as it was before the popup opened).
void tst_MapWindow::popupShowsTheColourItEdits() {
  run_->OpenMap(run_->WriteFile("blocks.bmp", BlockMap()));
  ClickAndType(run_->Panel()->FieldByTag(9), "720");
  Popup()->MaskEdit1->setText("1200");
  const struct {
    QPoint pixel;
    QString value;
  } clicks[] = {{QPoint(2, 14), "1200"}, {QPoint(5, 9), "720"}, {QPoint(13, 9), "1200"}};
  for (const auto& click : clicks) {
    QImage swatch;
    QString name, value;
    ClickMapAt(Map()->mapToGlobal(click.pixel), [&](TfrmSet* popup) {
      swatch = popup->ColourSwatch->grab().toImage();
      name = popup->ColourName->text();
      value = popup->MaskEdit1->FieldText();
      QTest::keyClick(popup, Qt::Key_Escape);
    });
    const int colour = BlockColour(click.pixel.x(), click.pixel.y());
    QCOMPARE(swatch.pixelColor(swatch.rect().center()), PaletteColour(colour));
    QCOMPARE(swatch.pixelColor(0, swatch.height() / 2), QColor(Qt::black));
    QCOMPARE(name, QString("Colour %1").arg(colour));
    QCOMPARE(value, click.value);
  }
}

// The panel is neither covered by the map nor carried away with the map when the work
// area scrolls.
void tst_MapWindow::panelStaysAboveABigMapWhateverIsScrolled() {
  OpenBigMap();
  TfrmGenCPanel* panel = run_->Panel();
  QMdiArea* area = run_->Main()->MdiArea;
  QScrollBar* across = area->horizontalScrollBar();
  QScrollBar* down = area->verticalScrollBar();
  QTRY_VERIFY(across->isVisible() && down->isVisible());
  const QRect before = GlobalRect(panel);
  const QRect work = GlobalRect(area->viewport());
  QCOMPARE(before.topRight(), work.topRight());
  QVERIFY(PanelIsOnTopAt(panel->rect().center()));
  QVERIFY(PanelIsOnTopAt(QPoint(2, 2)));
  const QRect map_before = GlobalRect(Map());
  ClickAt(across, QPoint(across->width() - 30, across->height() / 2));  // a page to the right
  ClickAt(down, QPoint(down->width() / 2, down->height() - 30));        // a page down
  QVERIFY(across->value() > 0 && down->value() > 0);
  QCOMPARE(GlobalRect(Map()).topLeft(),
           map_before.topLeft() - QPoint(across->value(), down->value()));
  QCOMPARE(GlobalRect(panel), before);
  QVERIFY(PanelIsOnTopAt(panel->rect().center()));
  // Clicking the map raises its window, still under the panel.
  ClickMapAt(Map()->mapToGlobal(QPoint(50, 50)),
             [](TfrmSet* popup) { QTest::keyClick(popup, Qt::Key_Escape); });
  QVERIFY(PanelIsOnTopAt(panel->rect().center()));
  QCOMPARE(GlobalRect(panel), before);
}

void tst_MapWindow::hoveringOverTheMapTellsTheColourAndItsHeight() {
  run_->OpenMap(run_->WriteFile("blocks.bmp", BlockMap()));
  QTest::mouseMove(Map(), QPoint(5, 5));
  QCOMPARE(Map()->toolTip(), QString("5: no height"));
  ClickAndType(run_->Panel()->FieldByTag(5), "1200");
  QTest::mouseMove(Map(), QPoint(6, 6));
  QCOMPARE(Map()->toolTip(), QString("5: height 1200"));
  QTest::mouseMove(Map(), QPoint(14, 1));
  QCOMPARE(Map()->toolTip(), QString("3: no height"));
}

void tst_MapWindow::swatchesTellTheirIndexAndColour() {
  auto* swatch = run_->Panel()->findChild<QLabel*>("Label8");
  QCOMPARE(swatch->toolTip(), QString("7: RGB 255,255,255"));
  // A white swatch shows its edge against the white fields.
  const QImage white = swatch->grab().toImage();
  QCOMPARE(white.pixelColor(swatch->width() / 2, swatch->height() / 2), QColor(Qt::white));
  QVERIFY(white.pixelColor(0, swatch->height() / 2).lightness() < 128);
  run_->OpenMap(run_->WriteFile("blocks.bmp", BlockMap()));
  QCOMPARE(swatch->toolTip(), QString("7: RGB 70,185,35"));
  QCOMPARE(run_->Panel()->findChild<QLabel*>("Label1")->toolTip(), QString("0: RGB 0,255,0"));
}

// Ctrl+0 ("Fit") brings a map larger than the work area wholly into it, halved; Ctrl and
// the wheel double it again; a click picks the map pixel under the pointer.
void tst_MapWindow::bigMapFitsAndZoomedMapPicksThePixelUnderThePointer() {
  OpenBigMap();
  TfrmMap* window = run_->Main()->frmMap;
  QTest::keyClick(Map(), Qt::Key_0, Qt::ControlModifier);
  QVERIFY(
      QRect(QPoint(0, 0), run_->Main()->MdiArea->viewport()->size()).contains(window->geometry()));
  const int halvings = Map()->Halvings();
  QVERIFY(halvings > 0);
  QWheelEvent wheel(QPointF(5, 5), Map()->mapToGlobal(QPointF(5, 5)), QPoint(),
                    QPoint(0, QWheelEvent::DefaultDeltasPerStep), Qt::NoButton, Qt::ControlModifier,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(Map(), &wheel);
  QCOMPARE(Map()->Halvings(), halvings - 1);
  QCOMPARE(window->widget()->size(), Map()->ShownSize());
  const QPoint at(61, 37);
  const int k = 1 << (halvings - 1);
  QString name;
  QRect place;
  ClickMapAt(Map()->mapToGlobal(at), [&](TfrmSet* popup) {
    name = popup->ColourName->text();
    place = popup->frameGeometry();
    QTest::keyClick(popup, Qt::Key_Escape);
  });
  QCOMPARE(name, QString("Colour %1").arg(BlockColour(at.x() * k, at.y() * k)));
  QCOMPARE(place.topLeft(), Map()->mapToGlobal(at) + QPoint(-46, 25));
}

QTEST_MAIN(tst_MapWindow)
#include "map_window_test.moc"
