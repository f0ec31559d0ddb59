#include "accessibilitycheck.h"
#include "admintest.h"
#include "fixtures.h"
#include "logcapture.h"
#include "modalanswer.h"
#include "scratchdir.h"
#include "widgetinput.h"
#include "vorrakprocdialog.h"
#include "vorrakreqdialog.h"

#include <QApplication>
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
    void everyInputIsNamed();
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
    QCOMPARE(form.NameLabel->text(), QStringLiteral("Name"));
    QCOMPARE(form.MaxQlLabel->text(), QStringLiteral("Max QL"));
    QCOMPARE(form.MinQlLabel->text(), QStringLiteral("Min QL"));
    QVERIFY(form.NameEdit->text().isEmpty());
    QCOMPARE(form.MaxQlSpin->value(), 255);
    QCOMPARE(form.MinQlSpin->value(), 1);
    QVERIFY(form.MaxQlSpin->isEnabled());
    QCOMPARE(form.SpecialBox->text(), QStringLiteral("&Special"));
    QVERIFY(!form.SpecialBox->isChecked());
    QCOMPARE(form.OkBtn->text(), QStringLiteral("&OK"));
    QCOMPARE(form.CancelBtn->text(), QStringLiteral("&Cancel"));
    QVERIFY(form.OkBtn->isDefault());
    QCOMPARE(form.MainFrame->frameShape(), QFrame::Box);
    QCOMPARE(form.MainFrame->frameShadow(), QFrame::Sunken);

    QVERIFY(showAndActivate(form));
    QCOMPARE(QApplication::focusWidget(), form.NameEdit);
}

void TestAdminForms::groupFormHasNameOnly()
{
    VorrakProcDialog form(VorrakProcDialog::GroupMode);
    QVERIFY(!form.MaxQlLabel);
    QVERIFY(!form.MaxQlSpin);
    QVERIFY(!form.MinQlLabel);
    QVERIFY(!form.MinQlSpin);
    QVERIFY(!form.SpecialBox);
    QVERIFY(!form.findChild<QSpinBox *>());
    QVERIFY(!form.findChild<QCheckBox *>());
    QCOMPARE(form.findChildren<QLabel *>().size(), 1);
    QVERIFY(form.NameEdit);
    QVERIFY(form.OkBtn);
    QVERIFY(form.CancelBtn);
    form.setSpecial(true); // harmless without the QL part
    QVERIFY(showAndActivate(form));
    QCOMPARE(QApplication::focusWidget(), form.NameEdit);
}

void TestAdminForms::specialLocksMaxQl()
{
    VorrakProcDialog form(VorrakProcDialog::ProcessMode);
    QVERIFY(showAndActivate(form));
    form.MaxQlSpin->setValue(180);
    QTest::mouseClick(form.SpecialBox, Qt::LeftButton);
    QVERIFY(form.SpecialBox->isChecked());
    QVERIFY(!form.MaxQlSpin->isEnabled());
    QCOMPARE(form.MaxQlSpin->value(), 180);
    QTest::mouseClick(form.SpecialBox, Qt::LeftButton);
    QVERIFY(!form.SpecialBox->isChecked());
    QVERIFY(form.MaxQlSpin->isEnabled());
    QCOMPARE(form.MaxQlSpin->value(), 180);
}

void TestAdminForms::setSpecialBeforeRun()
{
    VorrakProcDialog form(VorrakProcDialog::ProcessMode);
    form.setSpecial(true);
    bool checkedWhenShown = false;
    bool maxEnabledWhenShown = true;
    ModalAnswer watcher("VorrakProcDialog", [&](QWidget *) {
        checkedWhenShown = form.SpecialBox->isChecked();
        maxEnabledWhenShown = form.MaxQlSpin->isEnabled();
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
    form.MaxQlSpin->setValue(set);
    form.MinQlSpin->setValue(set);
    QCOMPARE(form.MaxQlSpin->value(), shown);
    QCOMPARE(form.MinQlSpin->value(), shown);

    // Stepping past either end by keyboard stays inside the range too.
    QVERIFY(showAndActivate(form));
    form.MaxQlSpin->setFocus();
    QTest::keyClick(form.MaxQlSpin, Qt::Key_Up);
    QCOMPARE(form.MaxQlSpin->value(), qMin(shown + 1, 255));
    form.MinQlSpin->setFocus();
    QTest::keyClick(form.MinQlSpin, Qt::Key_Down);
    QCOMPARE(form.MinQlSpin->value(), qMax(shown - 1, 1));
}

void TestAdminForms::requirementFormDefaults()
{
    VorrakReqDialog form;
    QCOMPARE(form.objectName(), QStringLiteral("VorrakReqDialog"));
    QCOMPARE(form.windowTitle(), QStringLiteral("VorrakAdmin"));
    QVERIFY(!form.windowIcon().isNull());
    QCOMPARE(form.NameLabel->text(), QStringLiteral("&Name"));
    QCOMPARE(form.MultiLabel->text(), QStringLiteral("&Multiplier"));
    QCOMPARE(form.LorvexLabel->text(), QStringLiteral("&Lorvex ID"));
    QCOMPARE(form.ParentLabel->text(), QStringLiteral("&Parent"));
    QCOMPARE(form.NameLabel->buddy(), form.NameEdit);
    QCOMPARE(form.MultiLabel->buddy(), form.MultiEdit);
    QCOMPARE(form.LorvexLabel->buddy(), form.LorvexEdit);
    QCOMPARE(form.ParentLabel->buddy(), form.ParentList);
    QVERIFY(form.NameEdit->text().isEmpty());
    QVERIFY(form.MultiEdit->text().isEmpty());
    QVERIFY(form.MultiEdit->isEnabled());
    QCOMPARE(form.LorvexEdit->text(), QStringLiteral("0"));
    QVERIFY(form.LorvexEdit->isEnabled());
    QCOMPARE(form.FixedBox->text(), QStringLiteral("&Fixed"));
    QVERIFY(!form.FixedBox->isChecked());
    QCOMPARE(form.ParentList->count(), 1);
    QCOMPARE(form.ParentList->currentText(), QStringLiteral("Main Item"));
    QVERIFY(!form.ParentList->isEditable());
    QVERIFY(form.OkBtn->isDefault());
    QVERIFY(form.OkBtn->autoDefault());
    QVERIFY(form.CancelBtn->autoDefault());
    QVERIFY(!form.CancelBtn->isDefault());

    QVERIFY(showAndActivate(form));
    QCOMPARE(QApplication::focusWidget(), form.NameEdit);
}

void TestAdminForms::fixedLocksMultiplier()
{
    VorrakReqDialog form;
    QVERIFY(showAndActivate(form));
    QTest::keyClicks(form.MultiEdit, QStringLiteral("2.5"));
    QTest::mouseClick(form.FixedBox, Qt::LeftButton);
    QVERIFY(form.FixedBox->isChecked());
    QVERIFY(!form.MultiEdit->isEnabled());
    QCOMPARE(form.MultiEdit->text(), QStringLiteral("2.5"));
    QTest::mouseClick(form.FixedBox, Qt::LeftButton);
    QVERIFY(!form.FixedBox->isChecked());
    QVERIFY(form.MultiEdit->isEnabled());
    QCOMPARE(form.MultiEdit->text(), QStringLiteral("2.5"));

    form.setFixed(true);
    QVERIFY(form.FixedBox->isChecked());
    QVERIFY(!form.MultiEdit->isEnabled());
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
    form.OkBtn->setFocus();
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
        specialAfterAltS = QTest::qWaitFor([&form]() { return form.SpecialBox->isChecked(); }, 2000)
            && !form.MaxQlSpin->isEnabled();
        QTest::keyClick(modal, Qt::Key(key), Qt::AltModifier);
    });
    QCOMPARE(form.exec(), result);
    QVERIFY(watcher.answered());
    QVERIFY(specialAfterAltS);
}

void TestAdminForms::everyInputIsNamed()
{
    for (const QString kind : {"process", "group", "requirement"}) {
        std::unique_ptr<QDialog> form(makeForm(kind));
        QVERIFY(showAndActivate(*form));
        const AccessibilityReport report = checkAccessibleNames(form.get());
        QVERIFY2(report.checked.size() >= 3, qPrintable(kind));
        QVERIFY2(report.unreached.isEmpty(), qPrintable(report.unreached.join(QLatin1String(", "))));
        QVERIFY2(report.unnamed.isEmpty(), qPrintable(report.unnamed.join(QLatin1String(", "))));
    }
}

QTEST_MAIN(TestAdminForms)
#include "tst_adminforms.moc"
