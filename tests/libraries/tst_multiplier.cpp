#include "tradeskill/multiplier.h"

#include <QTest>

#include <cmath>
#include <limits>

class TestMultiplier : public QObject
{
    Q_OBJECT

private slots:
    void amountText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("ql");
        QTest::addColumn<QString>("amount");

        QTest::newRow("zero") << "0" << 50 << "Fixed";
        QTest::newRow("zero with point") << "0.0" << 50 << "Fixed";
        QTest::newRow("negative zero") << "-0" << 50 << "Fixed";
        QTest::newRow("empty") << "" << 10 << "Fixed";
        QTest::newRow("word") << "abc" << 10 << "Fixed";
        QTest::newRow("lone point") << "." << 10 << "Fixed";
        QTest::newRow("sign then blank") << "- 5" << 10 << "Fixed";
        QTest::newRow("underflow") << "1e-400" << 10 << "Fixed";
        QTest::newRow("1.5 at 100") << "1.5" << 100 << "150";
        QTest::newRow("0.333 at 100") << "0.333" << 100 << "34";
        QTest::newRow("0.001 at 1") << "0.001" << 1 << "1";
        QTest::newRow("0.07 at 100 is exact") << "0.07" << 100 << "7";
        QTest::newRow("0.2 at 15") << "0.2" << 15 << "3";
        QTest::newRow("-0.5 at 5") << "-0.5" << 5 << "-2.5";
        QTest::newRow("-2 at 3") << "-2" << 3 << "-6";
        QTest::newRow("-0.001 at 1") << "-0.001" << 1 << "-0.001";
        QTest::newRow("2x at 10") << "2x" << 10 << "20";
        QTest::newRow("leading blanks") << " \t\n3.5" << 2 << "7";
        QTest::newRow("plus sign") << "+2" << 3 << "6";
        QTest::newRow("exponent") << "1e2" << 3 << "300";
        QTest::newRow("exponent with sign") << "1.5E-1" << 10 << "2";
        QTest::newRow("small exponent product") << "25e-3" << 40 << "1";
        QTest::newRow("exponent without digits") << "1e" << 3 << "3";
        QTest::newRow("exponent then junk") << "1e2x" << 2 << "200";
        QTest::newRow("exponent sign without digits") << "2e+" << 3 << "6";
        QTest::newRow("hexadecimal upper-case exponent") << "0x3P-1" << 2 << "3";
        QTest::newRow("leading point") << ".5" << 3 << "2";
        QTest::newRow("ql 0") << "0.5" << 0 << "0";
        QTest::newRow("just above a whole number") << "1.0000000000000000001" << 1 << "2";
        QTest::newRow("2^31") << "21474836.48" << 100 << "2147483648";
        QTest::newRow("just above 2^31") << "21474836.481" << 100 << "2147483649";
        QTest::newRow("above 2^31") << "2.5e9" << 1 << "2500000000";
        QTest::newRow("one million and more") << "15000" << 100 << "1500000";
        QTest::newRow("1e20") << "1e20" << 1 << "100000000000000000000";
        QTest::newRow("twenty nines") << "99999999999999999999" << 255 << "25499999999999999999745";
        QTest::newRow("hexadecimal") << "0x10" << 2 << "32";
        QTest::newRow("hexadecimal fraction") << "0x0.1" << 1 << "1";
        // Beyond the range of a double, still exact and without an exponent.
        QTest::newRow("1e400") << "1e400" << 3 << "3" + QString(400, u'0');
        QTest::newRow("-1e400") << "-1e400" << 1 << "-1" + QString(400, u'0');
        QTest::newRow("400 digits") << QString(400, u'9') << 2 << "1" + QString(399, u'9') + "8";
        QTest::newRow("a thousand zeros") << "1e1000" << 1 << "1" + QString(1000, u'0');
        QTest::newRow("more zeros than written") << "1e1001" << 2 << "2e1001";
        QTest::newRow("-12345678.9") << "-12345678.9" << 1 << "-12345678.9";
        QTest::newRow("-1e-7") << "-1e-7" << 1 << "-0.0000001";
        QTest::newRow("negative with many digits") << "-3.14159265358979323846" << 100 << "-314.159265358979323846";
        QTest::newRow("negative hexadecimal") << "-0x3p-2" << 1 << "-0.75";
        QTest::newRow("negative hexadecimal, every digit") << "-0x1p-20" << 1 << "-0.00000095367431640625";
        QTest::newRow("negative hexadecimal at QL 0") << "-0x3p-2" << 0 << "0";
        QTest::newRow("hexadecimal beyond a double") << "0x1p2000" << 1 << "inf";
        QTest::newRow("inf word") << "inf" << 5 << "inf";
        QTest::newRow("infinity word") << "Infinity" << 5 << "inf";
        QTest::newRow("not a number") << "nan" << 1 << "nan";
        // A negative QL never comes from the programs' spin boxes, but the
        // amount must still be the signed product, not digit garbage.
        QTest::newRow("negative QL") << "2" << -3 << "-6";
        QTest::newRow("negative QL with fraction") << "1.5" << -3 << "-4.5";
        QTest::newRow("both negative") << "-1.5" << -3 << "5";
        QTest::newRow("lowest int QL") << "1" << std::numeric_limits<int>::min() << "-2147483648";
    }

    void amountText()
    {
        QFETCH(QString, text);
        QFETCH(int, ql);
        QFETCH(QString, amount);
        QCOMPARE(Multiplier(text).amountText(ql), amount);
    }

    void value_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("fixed");
        QTest::newRow("0") << "0" << 0.0 << true;
        QTest::newRow("0.0") << "0.0" << 0.0 << true;
        QTest::newRow("word") << "abc" << 0.0 << true;
        QTest::newRow("0.5") << "0.5" << 0.5 << false;
        QTest::newRow("2") << "2" << 2.0 << false;
        QTest::newRow("2x") << "2x" << 2.0 << false;
        QTest::newRow("-1.25") << " -1.25" << -1.25 << false;
        QTest::newRow("0.07 as strtod reads it") << "0.07" << 0.07 << false;
        QTest::newRow("hex with exponent") << "0x1.8p1" << 3.0 << false;
    }

    void value()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QFETCH(bool, fixed);
        const Multiplier multiplier(text);
        QCOMPARE(multiplier.value(), value);
        QCOMPARE(multiplier.isFixed(), fixed);
    }

    void nanIsNotFixed()
    {
        const Multiplier multiplier(QStringLiteral("nan"));
        QVERIFY(std::isnan(multiplier.value()));
        QVERIFY(!multiplier.isFixed());
    }
};

QTEST_GUILESS_MAIN(TestMultiplier)
#include "tst_multiplier.moc"
