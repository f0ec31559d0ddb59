#include "admin/vorrakprocdialog.h"
#include "admin/vorrakreqdialog.h"
#include "tests/admin/admintest.h"
#include "tests/support/fixtures.h"
#include "tests/support/logcapture.h"
#include "tests/support/modalanswer.h"
#include "tests/support/scratchdir.h"
#include "tests/support/widgetinput.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

class TestAdminForms : public QObject
{
    Q_OBJECT

private slots:
    void processFormDefaults();
    void groupFormHasNameOnly();
    void specialLocksMaxQl();
    void setSpecialBeforeRun();
    void qlRange_data();
    void qlRange();
    void requirementFormDefaults();
    void fixedLocksMultiplier();
    void keysEndTheForm_data();
    void keysEndTheForm();
    void closeBoxRejects();
    void requirementMnemonics_data();
    void requirementMnemonics();
    void processMnemonics_data();
    void processMnemonics();
};

namespace {

QDialog *makeForm(const QString &kind)
{
    if (kind == QLatin1String("process"))
        return new VorrakProcDialog(VorrakProcDialog::ProcessMode);
    if (kind == QLatin1String("group"))
        return new VorrakProcDialog(VorrakProcDialog::GroupMode);
    return new VorrakReqDialog;
}

} // namespace

void TestAdminForms::processFormDefaults()
{
    VorrakProcDialog form(VorrakProcDialog::ProcessMode);
    QCOMPARE(form.objectName(), QStringLiteral("VorrakProcDialog"));
    QCOMPARE(form.windowTitle(), QStringLiteral("VorrakAdmin"));
    QVERIFY(!form.windowIcon().isNull());
    QCOMPARE(form.findChild<QLabel *>("NameLabel")->text(), QStringLiteral("Name"));
    QCOMPARE(form.findChild<QLabel *>("MaxQlLabel")->text(), QStringLiteral("Max QL"));
    QCOMPARE(form.findChild<QLabel *>("MinQlLabel")->text(), QStringLiteral("Min QL"));
    QVERIFY(form.findChild<QLineEdit *>("NameEdit")->text().isEmpty());
    QCOMPARE(form.findChild<QSpinBox *>("MaxQlSpin")->value(), 255);
    QCOMPARE(form.findChild<QSpinBox *>("MinQlSpin")->value(), 1);
    QVERIFY(form.findChild<QSpinBox *>("MaxQlSpin")->isEnabled());
    QCOMPARE(form.findChild<QCheckBox *>("SpecialBox")->text(), QStringLiteral("&Special"));
    QVERIFY(!form.findChild<QCheckBox *>("SpecialBox")->isChecked());
    QCOMPARE(form.findChild<QPushButton *>("OkBtn")->text(), QStringLiteral("&OK"));
    QCOMPARE(form.findChild<QPushButton *>("CancelBtn")->text(), QStringLiteral("&Cancel"));
    QVERIFY(form.findChild<QPushButton *>("OkBtn")->isDefault());
    QCOMPARE(form.findChild<QFrame *>("MainFrame")->frameShape(), QFrame::Box);
    QCOMPARE(form.findChild<QFrame *>("MainFrame")->frameShadow(), QFrame::Sunken);

    QVERIFY(showAndActivate(form));
    QCOMPARE(QApplication::focusWidget(), form.findChild<QLineEdit *>("NameEdit"));
}

void TestAdminForms::groupFormHasNameOnly()
{
    VorrakProcDialog form(VorrakProcDialog::GroupMode);
    QVERIFY(!form.findChild<QLabel *>("MaxQlLabel"));
    QVERIFY(!form.findChild<QSpinBox *>("MaxQlSpin"));
    QVERIFY(!form.findChild<QLabel *>("MinQlLabel"));
    QVERIFY(!form.findChild<QSpinBox *>("MinQlSpin"));
    QVERIFY(!form.findChild<QCheckBox *>("SpecialBox"));
    QVERIFY(!form.findChild<QSpinBox *>());
    QVERIFY(!form.findChild<QCheckBox *>());
    QCOMPARE(form.findChildren<QLabel *>().size(), 1);
    QVERIFY(form.findChild<QLineEdit *>("NameEdit"));
    QVERIFY(form.findChild<QPushButton *>("OkBtn"));
    QVERIFY(form.findChild<QPushButton *>("CancelBtn"));
    form.setSpecial(true); // harmless without the QL part
    QVERIFY(showAndActivate(form));
    QCOMPARE(QApplication::focusWidget(), form.findChild<QLineEdit *>("NameEdit"));
}

void TestAdminForms::specialLocksMaxQl()
{
    VorrakProcDialog form(VorrakProcDialog::ProcessMode);
    QVERIFY(showAndActivate(form));
    form.findChild<QSpinBox *>("MaxQlSpin")->setValue(180);
    QTest::mouseClick(form.findChild<QCheckBox *>("SpecialBox"), Qt::LeftButton);
    QVERIFY(form.findChild<QCheckBox *>("SpecialBox")->isChecked());
    QVERIFY(!form.findChild<QSpinBox *>("MaxQlSpin")->isEnabled());
    QCOMPARE(form.findChild<QSpinBox *>("MaxQlSpin")->value(), 180);
    QTest::mouseClick(form.findChild<QCheckBox *>("SpecialBox"), Qt::LeftButton);
    QVERIFY(!form.findChild<QCheckBox *>("SpecialBox")->isChecked());
    QVERIFY(form.findChild<QSpinBox *>("MaxQlSpin")->isEnabled());
    QCOMPARE(form.findChild<QSpinBox *>("MaxQlSpin")->value(), 180);
}

void TestAdminForms::setSpecialBeforeRun()
{
    VorrakProcDialog form(VorrakProcDialog::ProcessMode);
    form.setSpecial(true);
    bool checkedWhenShown = false;
    bool maxEnabledWhenShown = true;
    ModalAnswer watcher("VorrakProcDialog", [&](QWidget *) {
        checkedWhenShown = form.findChild<QCheckBox *>("SpecialBox")->isChecked();
        maxEnabledWhenShown = form.findChild<QSpinBox *>("MaxQlSpin")->isEnabled();
        form.reject();
    });
    form.exec();
    QVERIFY(watcher.answered());
    QVERIFY(checkedWhenShown);
    QVERIFY(!maxEnabledWhenShown);
}

void TestAdminForms::qlRange_data()
{
    QTest::addColumn<int>("set");
    QTest::addColumn<int>("shown");
    QTest::newRow("below range") << 0 << 1;
    QTest::newRow("lowest") << 1 << 1;
    QTest::newRow("inside") << 120 << 120;
    QTest::newRow("highest byte") << 255 << 255;
    QTest::newRow("above a byte") << 256 << 255;
    QTest::newRow("old top") << 300 << 255;
}

void TestAdminForms::qlRange()
{
    QFETCH(int, set);
    QFETCH(int, shown);
    VorrakProcDialog form(VorrakProcDialog::ProcessMode);
    form.findChild<QSpinBox *>("MaxQlSpin")->setValue(set);
    form.findChild<QSpinBox *>("MinQlSpin")->setValue(set);
    QCOMPARE(form.findChild<QSpinBox *>("MaxQlSpin")->value(), shown);
    QCOMPARE(form.findChild<QSpinBox *>("MinQlSpin")->value(), shown);

    // Stepping past either end by keyboard stays inside the range too.
    QVERIFY(showAndActivate(form));
    form.findChild<QSpinBox *>("MaxQlSpin")->setFocus();
    QTest::keyClick(form.findChild<QSpinBox *>("MaxQlSpin"), Qt::Key_Up);
    QCOMPARE(form.findChild<QSpinBox *>("MaxQlSpin")->value(), qMin(shown + 1, 255));
    form.findChild<QSpinBox *>("MinQlSpin")->setFocus();
    QTest::keyClick(form.findChild<QSpinBox *>("MinQlSpin"), Qt::Key_Down);
    QCOMPARE(form.findChild<QSpinBox *>("MinQlSpin")->value(), qMax(shown - 1, 1));
}

void TestAdminForms::requirementFormDefaults()
{
    VorrakReqDialog form;
    QCOMPARE(form.objectName(), QStringLiteral("VorrakReqDialog"));
    QCOMPARE(form.windowTitle(), QStringLiteral("VorrakAdmin"));
    QVERIFY(!form.windowIcon().isNull());
    QCOMPARE(form.findChild<QLabel *>("NameLabel")->text(), QStringLiteral("&Name"));
    QCOMPARE(form.findChild<QLabel *>("MultiLabel")->text(), QStringLiteral("&Multiplier"));
    QCOMPARE(form.findChild<QLabel *>("LorvexLabel")->text(), QStringLiteral("&Lorvex ID"));
    QCOMPARE(form.findChild<QLabel *>("ParentLabel")->text(), QStringLiteral("&Parent"));
    QCOMPARE(form.findChild<QLabel *>("NameLabel")->buddy(), form.findChild<QLineEdit *>("NameEdit"));
    QCOMPARE(form.findChild<QLabel *>("MultiLabel")->buddy(), form.findChild<QLineEdit *>("MultiEdit"));
    QCOMPARE(form.findChild<QLabel *>("LorvexLabel")->buddy(), form.findChild<QLineEdit *>("LorvexEdit"));
    QCOMPARE(form.findChild<QLabel *>("ParentLabel")->buddy(), form.findChild<QComboBox *>("ParentList"));
    QVERIFY(form.findChild<QLineEdit *>("NameEdit")->text().isEmpty());
    QVERIFY(form.findChild<QLineEdit *>("MultiEdit")->text().isEmpty());
    QVERIFY(form.findChild<QLineEdit *>("MultiEdit")->isEnabled());
    QCOMPARE(form.findChild<QLineEdit *>("LorvexEdit")->text(), QStringLiteral("0"));
    QVERIFY(form.findChild<QLineEdit *>("LorvexEdit")->isEnabled());
    QCOMPARE(form.findChild<QCheckBox *>("FixedBox")->text(), QStringLiteral("&Fixed"));
    QVERIFY(!form.findChild<QCheckBox *>("FixedBox")->isChecked());
    QCOMPARE(form.findChild<QComboBox *>("ParentList")->count(), 1);
    QCOMPARE(form.findChild<QComboBox *>("ParentList")->currentText(), QStringLiteral("Main Item"));
    QVERIFY(!form.findChild<QComboBox *>("ParentList")->isEditable());
    QVERIFY(form.findChild<QPushButton *>("OkBtn")->isDefault());
    QVERIFY(form.findChild<QPushButton *>("OkBtn")->autoDefault());
    QVERIFY(form.findChild<QPushButton *>("CancelBtn")->autoDefault());
    QVERIFY(!form.findChild<QPushButton *>("CancelBtn")->isDefault());

    QVERIFY(showAndActivate(form));
    QCOMPARE(QApplication::focusWidget(), form.findChild<QLineEdit *>("NameEdit"));
}

void TestAdminForms::fixedLocksMultiplier()
{
    VorrakReqDialog form;
    QVERIFY(showAndActivate(form));
    QTest::keyClicks(form.findChild<QLineEdit *>("MultiEdit"), QStringLiteral("2.5"));
    QTest::mouseClick(form.findChild<QCheckBox *>("FixedBox"), Qt::LeftButton);
    QVERIFY(form.findChild<QCheckBox *>("FixedBox")->isChecked());
    QVERIFY(!form.findChild<QLineEdit *>("MultiEdit")->isEnabled());
    QCOMPARE(form.findChild<QLineEdit *>("MultiEdit")->text(), QStringLiteral("2.5"));
    QTest::mouseClick(form.findChild<QCheckBox *>("FixedBox"), Qt::LeftButton);
    QVERIFY(!form.findChild<QCheckBox *>("FixedBox")->isChecked());
    QVERIFY(form.findChild<QLineEdit *>("MultiEdit")->isEnabled());
    QCOMPARE(form.findChild<QLineEdit *>("MultiEdit")->text(), QStringLiteral("2.5"));

    form.setFixed(true);
    QVERIFY(form.findChild<QCheckBox *>("FixedBox")->isChecked());
    QVERIFY(!form.findChild<QLineEdit *>("MultiEdit")->isEnabled());
}

void TestAdminForms::keysEndTheForm_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("result");
    for (const char *kind : {"process", "group", "requirement"}) {
        QTest::addRow("%s Return", kind) << QString::fromLatin1(kind) << int(Qt::Key_Return)
                                         << int(QDialog::Accepted);
        QTest::addRow("%s Escape", kind) << QString::fromLatin1(kind) << int(Qt::Key_Escape)
                                         << int(QDialog::Rejected);
    }
}

void TestAdminForms::keysEndTheForm()
{
    QFETCH(QString, kind);
    QFETCH(int, key);
    QFETCH(int, result);
    std::unique_ptr<QDialog> form(makeForm(kind));
    ModalAnswer watcher(form->metaObject()->className(), [key](QWidget *modal) {
        QTest::keyClick(modal->focusWidget(), Qt::Key(key));
    });
    QCOMPARE(form->exec(), result);
    QVERIFY(watcher.answered());
}

void TestAdminForms::closeBoxRejects()
{
    for (const QString kind : {"process", "group", "requirement"}) {
        std::unique_ptr<QDialog> form(makeForm(kind));
        ModalAnswer watcher(form->metaObject()->className(), [](QWidget *modal) { modal->close(); });
        QCOMPARE(form->exec(), int(QDialog::Rejected));
        QVERIFY(watcher.answered());
    }
}

void TestAdminForms::requirementMnemonics_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("focused");
    QTest::newRow("Alt+N") << int(Qt::Key_N) << QStringLiteral("NameEdit");
    QTest::newRow("Alt+M") << int(Qt::Key_M) << QStringLiteral("MultiEdit");
    QTest::newRow("Alt+L") << int(Qt::Key_L) << QStringLiteral("LorvexEdit");
    QTest::newRow("Alt+P") << int(Qt::Key_P) << QStringLiteral("ParentList");
}

void TestAdminForms::requirementMnemonics()
{
    QFETCH(int, key);
    QFETCH(QString, focused);
    VorrakReqDialog form;
    QVERIFY(showAndActivate(form));
    form.findChild<QPushButton *>("OkBtn")->setFocus();
    QTest::keyClick(&form, Qt::Key(key), Qt::AltModifier);
    QVERIFY(QApplication::focusWidget());
    QCOMPARE(QApplication::focusWidget()->objectName(), focused);
}

void TestAdminForms::processMnemonics_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("result");
    QTest::newRow("Alt+O") << int(Qt::Key_O) << int(QDialog::Accepted);
    QTest::newRow("Alt+C") << int(Qt::Key_C) << int(QDialog::Rejected);
}

void TestAdminForms::processMnemonics()
{
    QFETCH(int, key);
    QFETCH(int, result);
    VorrakProcDialog form(VorrakProcDialog::ProcessMode);
    bool specialAfterAltS = false;
    ModalAnswer watcher("VorrakProcDialog", [&](QWidget *modal) {
        QTest::keyClick(modal, Qt::Key_S, Qt::AltModifier);
        // A mnemonic clicks its button animated, so the toggle comes a moment later.
        specialAfterAltS = QTest::qWaitFor([&form]() { return form.findChild<QCheckBox *>("SpecialBox")->isChecked(); }, 2000)
            && !form.findChild<QSpinBox *>("MaxQlSpin")->isEnabled();
        QTest::keyClick(modal, Qt::Key(key), Qt::AltModifier);
    });
    QCOMPARE(form.exec(), result);
    QVERIFY(watcher.answered());
    QVERIFY(specialAfterAltS);
}

QTEST_MAIN(TestAdminForms)
#include "tst_adminforms.moc"
