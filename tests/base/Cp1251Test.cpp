// Tests of the Windows-1251 codec: the table, the round trip and the report of unencodable text.
#include "Cp1251.h"
#include "Errors.h"

#include <QStringDecoder>
#include <QTest>

class Cp1251Test : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyByteRoundTrips()
    {
        QByteArray bytes;
        for (int byte = 0; byte < 256; ++byte)
            bytes += char(byte);
        const QString text = decodeCp1251(bytes);
        QCOMPARE(text.size(), 256);
        QCOMPARE(QSet<QChar>(text.begin(), text.end()).size(), 256);
        QCOMPARE(firstUnencodableCp1251(text), qsizetype(-1));
        QCOMPARE(encodeCp1251(text), bytes);
    }

    void mapsTheCodePage_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("unicode");

        QTest::newRow("NUL") << 0x00 << 0x0000;
        QTest::newRow("ASCII") << 0x41 << 0x0041;
        QTest::newRow("DEL") << 0x7F << 0x007F;
        QTest::newRow("DJE") << 0x80 << 0x0402;
        QTest::newRow("euro") << 0x88 << 0x20AC;
        QTest::newRow("en dash") << 0x96 << 0x2013;
        QTest::newRow("unassigned 0x98") << 0x98 << 0x0098;
        QTest::newRow("trade mark") << 0x99 << 0x2122;
        QTest::newRow("no-break space") << 0xA0 << 0x00A0;
        QTest::newRow("capital IO") << 0xA8 << 0x0401;
        QTest::newRow("left guillemet") << 0xAB << 0x00AB;
        QTest::newRow("small io") << 0xB8 << 0x0451;
        QTest::newRow("numero") << 0xB9 << 0x2116;
        QTest::newRow("small yi") << 0xBF << 0x0457;
        QTest::newRow("capital A") << 0xC0 << 0x0410;
        QTest::newRow("small ya") << 0xFF << 0x044F;
    }

    void mapsTheCodePage()
    {
        QFETCH(int, byte);
        QFETCH(int, unicode);
        const QString text = decodeCp1251(QByteArray(1, char(byte)));
        QCOMPARE(text, QString(QChar(unicode)));
        QCOMPARE(encodeCp1251(text), QByteArray(1, char(byte)));
    }

    // An independent table where Qt has one (through ICU): every assigned byte agrees.
    void agreesWithTheSystemTable()
    {
        QStringDecoder decoder("windows-1251");
        if (!decoder.isValid())
            QSKIP("Qt has no Windows-1251 decoder here");
        for (int byte = 0; byte < 256; ++byte) {
            if (byte == 0x98)
                continue;
            const QByteArray one(1, char(byte));
            const QString expected = decoder.decode(one);
            QVERIFY2(decodeCp1251(one) == expected, qPrintable(QString::number(byte, 16)));
        }
    }

    void findsTheFirstUnencodable_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qsizetype>("index");

        QTest::newRow("empty") << QString() << qsizetype(-1);
        QTest::newRow("Russian and symbols") << QString::fromUtf8("Расчет №1 «шов» — €, ё") << qsizetype(-1);
        QTest::newRow("snowman") << QString::fromUtf8("a☃") << qsizetype(1);
        QTest::newRow("surrogate pair") << QString::fromUtf8("ab😀") << qsizetype(2);
        QTest::newRow("C1 control") << QString::fromUtf16(u"x\u0081") << qsizetype(1);
        QTest::newRow("Latin small y diaeresis") << QString::fromUtf8("ÿ") << qsizetype(0);
        QTest::newRow("lone surrogate") << QString::fromUtf16(u"ab\xD800", 3) << qsizetype(2);
        QTest::newRow("Greek") << QString::fromUtf8("Σ") << qsizetype(0);
    }

    void findsTheFirstUnencodable()
    {
        QFETCH(QString, text);
        QFETCH(qsizetype, index);
        QCOMPARE(firstUnencodableCp1251(text), index);
    }

    void namesTheUnencodableCharacter_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");

        const QString tail = QStringLiteral(" нельзя записать в кодировке Windows-1251");
        QTest::newRow("first line") << QString::fromUtf8("abc☃")
                                    << QString::fromUtf8("Символ «☃» (U+2603) в строке 1, позиция 4") + tail;
        QTest::newRow("after CR LF and LF") << QString::fromUtf8("ab\r\ncd\n☃x")
                                            << QString::fromUtf8("Символ «☃» (U+2603) в строке 3, позиция 1") + tail;
        QTest::newRow("after lone CRs") << QString::fromUtf8("a\rb\r\rЖ☃")
                                        << QString::fromUtf8("Символ «☃» (U+2603) в строке 4, позиция 2") + tail;
        QTest::newRow("pair counts as one column") << QString::fromUtf8("Σ😀")
                                                   << QString::fromUtf8("Символ «Σ» (U+03A3) в строке 1, позиция 1") + tail;
        QTest::newRow("outside the basic plane") << QString::fromUtf8("x😀")
                                                 << QString::fromUtf8("Символ «😀» (U+1F600) в строке 1, позиция 2") + tail;
        QTest::newRow("control shown by code") << QString::fromUtf16(u"\r\nab\u0081")
                                               << QString::fromUtf8("Символ U+0081 в строке 2, позиция 3") + tail;
        QTest::newRow("lone surrogate shown by code") << QString::fromUtf16(u"\xDC00", 1)
                                                      << QString::fromUtf8("Символ U+DC00 в строке 1, позиция 1") + tail;
    }

    void namesTheUnencodableCharacter()
    {
        QFETCH(QString, text);
        QFETCH(QString, message);
        try {
            encodeCp1251(text);
            QFAIL("no error");
        } catch (const UnencodableTextError &error) {
            QCOMPARE(error.message(), message);
        }
    }

    void restrictsCaptions_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");

        QTest::newRow("encodable") << QString::fromUtf8("Сварной шов №2 €") << QString::fromUtf8("Сварной шов №2 €");
        QTest::newRow("each character once") << QString::fromUtf8("a😀b☃ё") << QString::fromUtf8("a?b?ё");
        QTest::newRow("lone surrogate") << QString::fromUtf16(u"\xD800x", 2) << QStringLiteral("?x");
        QTest::newRow("two pairs") << QString::fromUtf8("😀😀") << QStringLiteral("??");
    }

    void restrictsCaptions()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(restrictToCp1251(text), expected);
    }
};

QTEST_GUILESS_MAIN(Cp1251Test)

#include "Cp1251Test.moc"
