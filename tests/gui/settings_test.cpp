// What the desktop program keeps between runs: written in the user's place and read back,
// and a settings file that is broken or holds wrong values read as the defaults.
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "settings/desktop_settings.h"

using namespace orvandel::gui;

namespace {

const QStringList kTexts = {"",  "60",  "120", "180",  "240",  "320", "400", "480",
                            "",  "640", "720", "800",  "900",  "-10", "2 5", "1200",
                            "0", "500", "950", "6400", "4800", "40"};

}  // namespace

class tst_Settings : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void everyValueComesBackInTheNextRun();
  void recentListsKeepTheLastEightMostRecentFirst();
  void wrongFilesReadAsDefaults_data();
  void wrongFilesReadAsDefaults();

 private:
  QTemporaryDir home_;
};

// The user's own settings file lies in a temporary folder for these tests.
void tst_Settings::initTestCase() {
  QStandardPaths::setTestModeEnabled(true);
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home_.path());
}

void tst_Settings::everyValueComesBackInTheNextRun() {
  {
    DesktopSettings settings;
    settings.SetFolder(DialogKind::kMesh, "/meshes");
    settings.AddRecentMap("/maps/valley.bmp");
    settings.SetMapTexts("/maps/valley.bmp", kTexts);
    settings.AddRecentScene("/scenes/valley.3df");
    settings.SetMainWindowGeometry("geometry");
    settings.SetRenderWindowSize(QSize(1200, 900));
    settings.SetToggle(RenderToggle::kWire, true);
    settings.SetToggle(RenderToggle::kAutorender, false);
    settings.SetToggle(RenderToggle::kFileOrder, true);
    settings.SetText("verticalScale", "2.5");
  }
  QVERIFY(QFile::exists(home_.filePath("orvandel/orvandel.ini")));
  const DesktopSettings settings;
  QCOMPARE(settings.Folder(DialogKind::kMesh), QString("/meshes"));
  QCOMPARE(settings.Folder(DialogKind::kMap), QString());
  QCOMPARE(settings.RecentMaps(), QStringList{"/maps/valley.bmp"});
  QCOMPARE(settings.MapTexts("/maps/valley.bmp"), kTexts);
  QCOMPARE(settings.RecentScenes(), QStringList{"/scenes/valley.3df"});
  QCOMPARE(settings.MainWindowGeometry(), QByteArray("geometry"));
  QCOMPARE(settings.RenderWindowSize(), QSize(1200, 900));
  QVERIFY(settings.Toggle(RenderToggle::kWire) && settings.Toggle(RenderToggle::kFileOrder));
  QVERIFY(!settings.Toggle(RenderToggle::kAutorender));
  QCOMPARE(settings.Text("verticalScale"), QString("2.5"));
}

// A map opened again moves to the front and keeps its texts.
void tst_Settings::recentListsKeepTheLastEightMostRecentFirst() {
  DesktopSettings settings(home_.filePath("recent.ini"));
  QStringList expected;
  for (int i = 0; i < 10; ++i) {
    settings.AddRecentMap(QString("/maps/%1.bmp").arg(i));
    expected.prepend(QString("/maps/%1.bmp").arg(i));
  }
  settings.SetMapTexts("/maps/4.bmp", kTexts);
  settings.AddRecentMap("/maps/4.bmp");
  expected.move(expected.indexOf("/maps/4.bmp"), 0);
  QCOMPARE(settings.RecentMaps(), expected.mid(0, 8));
  QCOMPARE(settings.MapTexts("/maps/4.bmp"), kTexts);
  QCOMPARE(settings.RecentScenes(), QStringList());
}

void tst_Settings::wrongFilesReadAsDefaults_data() {
  QTest::addColumn<QByteArray>("bytes");
  QTest::newRow("not a settings file") << QByteArray("[General\n\x01\xff=@ByteArray(\n", 21);
  QTest::newRow("wrong types and ranges") << QByteArray(
      "[General]\nfolders\\mesh=@Variant(\\0\\0\\0\\x7f)\nrender\\wire=banana\n"
      "render\\autorender=1\nrender\\size=@Size(0 90000)\n"
      "mainWindow\\geometry=text\ntexts\\verticalScale=@ByteArray(2.5)\n"
      "[recentMaps]\n1\\file=\n2\\file=/maps/a.bmp\n2\\texts=1, 2, 3\n"
      "3\\file=/maps/a.bmp\nsize=-7\n");
  QTest::newRow("list far too long") << QByteArray(
      "[recentMaps]\n1\\file=/maps/a.bmp\n"
      "1\\texts=abc\nsize=2147483647\n");
}

// What is added afterwards is kept in a sound file.
void tst_Settings::wrongFilesReadAsDefaults() {
  QFETCH(QByteArray, bytes);
  const QString name = home_.filePath("wrong.ini");
  QFile file(name);
  QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(bytes);
  file.close();
  {
    DesktopSettings settings(name);
    QCOMPARE(settings.Folder(DialogKind::kMesh), QString());
    QVERIFY(!settings.Toggle(RenderToggle::kWire) && settings.Toggle(RenderToggle::kAutorender));
    QCOMPARE(settings.RenderWindowSize(), std::nullopt);
    QCOMPARE(settings.MainWindowGeometry(), QByteArray());
    QCOMPARE(settings.Text("verticalScale"), std::nullopt);
    QVERIFY(settings.RecentMaps().size() <= 1);
    for (const QString& map : settings.RecentMaps())
      QCOMPARE(settings.MapTexts(map), std::nullopt);
    settings.AddRecentScene("/scenes/b.3df");
  }
  QCOMPARE(DesktopSettings(name).RecentScenes(), QStringList{"/scenes/b.3df"});
}

QTEST_MAIN(tst_Settings)
#include "settings_test.moc"
