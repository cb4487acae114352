#include "PageFixture.h"
#include "gui/pages/ControlArray.h"
#include "gui/pages/FilerPictures.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QTimeEdit>
#include <QtTest>

// The line edit inside a time picker, the list inside a drop-down list and the like.
bool partOfCompound(const QWidget *w, const QWidget *page)
{
    for (const QObject *p = w->parent(); p && p != page; p = p->parent()) {
        if (p->inherits("QAbstractSpinBox") || p->inherits("QComboBox"))
            return true;
    }
    return false;
}

class TestPageControls : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        f = std::make_unique<PageFixture>();
        f->offerSounds({QStringLiteral("beep.snd")});
        f->binding.ApplyFactoryDefaults();
        f->state.ChangedFlag = false;
    }
    void cleanup() { f.reset(); }

    void filerPictureFollowsViewMode_data();
    void filerPictureFollowsViewMode();
    void filerPicturesAreMonochromeMockups();
    void contrastPreview_data();
    void contrastPreview();
    void editsMarkSettingsChanged_data();
    void editsMarkSettingsChanged();
    void userNameTypingIsNoMarkedEdit();
    void everyControlIsNamed_data();
    void everyControlIsNamed();
    void mnemonicsFocusTheirControl_data();
    void mnemonicsFocusTheirControl();

private:
    QList<PageFrame *> pages() const
    {
        return {&f->power, &f->sound, &f->filer, &f->display, &f->time, &f->alarm, &f->userName};
    }

    std::unique_ptr<PageFixture> f;
};

void TestPageControls::filerPictureFollowsViewMode_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("shown");
    QTest::newRow("Icon") << 0 << 0;
    QTest::newRow("Lists(+type)") << 1 << 1;
    QTest::newRow("Lists") << 2 << 2;
    QTest::newRow("nothing selected") << -1 << -1;
}

void TestPageControls::filerPictureFollowsViewMode()
{
    QFETCH(int, mode);
    QFETCH(int, shown);

    // By the user's choice...
    f->filer.FilerType()->setCurrentIndex(mode == 0 ? 1 : 0);
    f->filer.FilerType()->setCurrentIndex(mode);
    for (int i = 0; i < FilerPage::PictureCount; ++i)
        QCOMPARE(f->filer.Picture1(i)->isVisibleTo(&f->filer), i == shown);
    QCOMPARE(f->state.ChangedFlag, true);

    // ...and by a load.
    f->state.systemRecord.set(SystemField::FilerViewMode, std::int16_t(mode));
    f->filer.FilerType()->setCurrentIndex(mode == 0 ? 1 : 0);
    f->load();
    for (int i = 0; i < FilerPage::PictureCount; ++i)
        QCOMPARE(f->filer.Picture1(i)->isVisibleTo(&f->filer), i == shown);
}

void TestPageControls::filerPicturesAreMonochromeMockups()
{
    QList<QImage> pictures;
    for (int mode = 0; mode < 3; ++mode) {
        const QImage picture = filerpictures::draw(mode);
        QCOMPARE(picture.size(), QSize(102, 64));
        QCOMPARE(picture.depth(), 1);
        // Something is drawn: not every pixel has the colour of the first.
        QImage flat = picture;
        flat.fill(picture.pixelIndex(0, 0));
        QVERIFY(picture != flat);
        for (const QImage &other : pictures)
            QVERIFY(picture != other);
        pictures << picture;
    }
}

void TestPageControls::contrastPreview_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("lowest contrast, faint text") << 10 << QColor(200, 200, 200);
    QTest::newRow("one step below the middle") << 15 << QColor(140, 140, 140);
    QTest::newRow("middle") << 16 << QColor(128, 128, 128);
    QTest::newRow("one step above the middle") << 17 << QColor(116, 116, 116);
    QTest::newRow("highest contrast, dark text") << 22 << QColor(56, 56, 56);
}

void TestPageControls::contrastPreview()
{
    QFETCH(int, position);
    QFETCH(QColor, colour);

    QSlider *slider = f->display.Contlast();
    slider->setValue(position == 16 ? 17 : 16);
    f->state.ChangedFlag = false;
    slider->setValue(position);
    QCOMPARE(f->display.previewTextColour(), colour);
    QVERIFY(f->state.ChangedFlag);
}

void TestPageControls::editsMarkSettingsChanged_data()
{
    QTest::addColumn<QString>("control");
    for (const char *name : {"PowerWaitTime", "DTP_Power_1", "CheckBeep_1", "CheckSound_0",
                             "FilerType", "FilerKind", "FilerSort", "BackLight", "ClockType_1",
                             "TimeSignal_1", "Dst_1", "Week_0", "DTP_ALTime_3", "Sound_2"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestPageControls::editsMarkSettingsChanged()
{
    QFETCH(QString, control);
    QWidget *widget = nullptr;
    for (PageFrame *page : pages()) {
        if ((widget = page->findChild<QWidget *>(control)))
            break;
    }
    QVERIFY(widget);

    if (auto *option = qobject_cast<QRadioButton *>(widget)) {
        QVERIFY(!option->isChecked());
        option->click();
    } else if (auto *list = qobject_cast<QComboBox *>(widget)) {
        list->setCurrentIndex(list->currentIndex() == 0 ? 1 : 0);
    } else if (auto *picker = qobject_cast<QTimeEdit *>(widget)) {
        picker->setTime(picker->time().addSecs(60));
    }
    QVERIFY(f->state.ChangedFlag);
}

void TestPageControls::userNameTypingIsNoMarkedEdit()
{
    QLineEdit *box = f->userName.UserName();
    box->clear();
    QTest::keyClicks(box, QStringLiteral("Thirteen char"));
    QCOMPARE(box->text(), QStringLiteral("Thirteen cha"));
    QVERIFY(!f->state.ChangedFlag);
    // The window notices the edit by comparing with the stored name.
    QVERIFY(box->text() != f->binding.UserNameSnapshot);
}

void TestPageControls::everyControlIsNamed_data()
{
    QTest::addColumn<int>("page");
    const char *names[] = {"power", "sound", "filer", "display", "time", "alarm", "user name"};
    for (int i = 0; i < 7; ++i)
        QTest::newRow(names[i]) << i;
}

void TestPageControls::everyControlIsNamed()
{
    QFETCH(int, page);
    PageFrame *frame = pages().at(page);
    QSet<QString> objectNames;
    QSet<QString> spokenNames;
    int controls = 0;
    for (QWidget *w : frame->findChildren<QWidget *>()) {
        const bool control = qobject_cast<QComboBox *>(w) || qobject_cast<QAbstractButton *>(w) ||
                             qobject_cast<QAbstractSpinBox *>(w) ||
                             qobject_cast<QAbstractSlider *>(w) || qobject_cast<QLineEdit *>(w);
        if (!control || partOfCompound(w, frame))
            continue;
        ++controls;
        QVERIFY2(!w->objectName().isEmpty(), w->metaObject()->className());
        QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
        QVERIFY2(!objectNames.contains(w->objectName()), qPrintable(w->objectName()));
        QVERIFY2(!spokenNames.contains(w->accessibleName()), qPrintable(w->accessibleName()));
        objectNames << w->objectName();
        spokenNames << w->accessibleName();
        // Elements of control arrays are found by array name and number.
        const QRegularExpressionMatch element =
            QRegularExpression(QStringLiteral("^(\\w+)_(\\d)$")).match(w->objectName());
        if (element.hasMatch())
            QCOMPARE(
                controls::element<QWidget>(frame, element.captured(1), element.captured(2).toInt()),
                w);
    }
    QVERIFY(controls >= 1);
}

void TestPageControls::mnemonicsFocusTheirControl_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<char>("key");
    QTest::addColumn<QString>("focused");

    QTest::newRow("LCD") << 0 << 'l' << QStringLiteral("PowerStandby");
    QTest::newRow("Battery Power Saving") << 0 << 'b' << QStringLiteral("PowerWaitTime");
    QTest::newRow("Power On Time") << 0 << 'o' << QStringLiteral("DTP_Power_0");
    QTest::newRow("Power Off Time") << 0 << 'm' << QStringLiteral("DTP_Power_1");
    QTest::newRow("Alarm Sound") << 1 << 'l' << QStringLiteral("CheckSound_1");
    QTest::newRow("Sort by") << 2 << 'b' << QStringLiteral("FilerKind");
    QTest::newRow("Sort Order") << 2 << 'o' << QStringLiteral("FilerSort");
    QTest::newRow("Backlight") << 3 << 'e' << QStringLiteral("BackLight");
    QTest::newRow("Contrast") << 3 << 'c' << QStringLiteral("Contlast");
    QTest::newRow("Daylight Savings") << 4 << 'y' << QStringLiteral("Dst_1");
    QTest::newRow("Alarm 3") << 5 << '3' << QStringLiteral("Week_2");
    QTest::newRow("User Name") << 6 << 'n' << QStringLiteral("UserName");
}

void TestPageControls::mnemonicsFocusTheirControl()
{
    QFETCH(int, page);
    QFETCH(char, key);
    QFETCH(QString, focused);

    f->power.PowerStandby()->setCurrentIndex(2); // every power frame shown
    f->sound.CheckSound(1)->setChecked(true);
    f->time.Dst(1)->setChecked(true);
    PageFrame *frame = pages().at(page);
    frame->show();
    QApplication::setActiveWindow(frame);
    QVERIFY(QTest::qWaitForWindowActive(frame));

    QTest::keyClick(frame, key, Qt::AltModifier);
    QVERIFY(QApplication::focusWidget());
    QCOMPARE(QApplication::focusWidget()->objectName(), focused);
}

QTEST_MAIN(TestPageControls)
#include "tst_pages_controls.moc"
