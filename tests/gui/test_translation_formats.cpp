#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <QtTest>

// The translations of the interface as the translation tools keep them: a
// translated format string is filled with the arguments its source text was
// written for, so its conversions must be the source's, in the same order.
class TranslationFormatsTest : public QObject {
    Q_OBJECT

    struct Message {
        QString context;
        QString source;
        QString translation;
        bool finished = false;
    };

    // An element's text; lupdate writes control characters as <byte value="xd"/>.
    static QString ElementText(QXmlStreamReader& xml)
    {
        QString text;
        int depth = 1;
        while (depth > 0 && !xml.atEnd()) {
            xml.readNext();
            if (xml.isCharacters()) {
                text += xml.text();
            } else if (xml.isStartElement()) {
                ++depth;
                const QString value = xml.attributes().value(QLatin1String("value")).toString();
                if (xml.name() == QLatin1String("byte") && value.startsWith(QLatin1Char('x')))
                    text += QChar(value.mid(1).toUShort(nullptr, 16));
            } else if (xml.isEndElement()) {
                --depth;
            }
        }
        return text;
    }

    static QList<Message> ReadMessages(const QString& path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QList<Message> messages;
        QXmlStreamReader xml(&file);
        QString context;
        Message message;
        while (!xml.atEnd()) {
            if (!xml.readNext() || !xml.isStartElement())
                continue;
            const auto name = xml.name();
            if (name == QLatin1String("name")) {
                context = ElementText(xml);
            } else if (name == QLatin1String("message")) {
                message = {context, {}, {}, false};
            } else if (name == QLatin1String("source")) {
                message.source = ElementText(xml);
            } else if (name == QLatin1String("translation")) {
                const QString type = xml.attributes().value(QLatin1String("type")).toString();
                message.finished = type.isEmpty();
                message.translation = ElementText(xml);
                messages.append(message);
            }
        }
        if (xml.hasError())
            qWarning("%s at line %lld", qPrintable(xml.errorString()), xml.lineNumber());
        return xml.hasError() ? QList<Message>{} : messages;
    }

    // The printf conversions of a text in order, "%%" left out.
    static QStringList PrintfConversions(const QString& text)
    {
        static const QRegularExpression conversion(
            QStringLiteral("%[-+ #0]*(\\*|[0-9]+)?(\\.(\\*|[0-9]+))?(hh|h|ll|l|z|j|t|L)?"
                           "[diouxXfFeEgGaAcsp%]"));
        QStringList found;
        for (auto it = conversion.globalMatch(text); it.hasNext();) {
            const QString c = it.next().captured();
            if (c != QLatin1String("%%"))
                found.append(c);
        }
        return found;
    }

    // The Qt place markers of a text (%1, %L2, %n), sorted: their order may
    // change in a translation.
    static QStringList QtMarkers(const QString& text)
    {
        static const QRegularExpression marker(QStringLiteral("%L?[0-9n]+"));
        QStringList found;
        for (auto it = marker.globalMatch(text); it.hasNext();)
            found.append(it.next().captured());
        found.sort();
        return found;
    }

private slots:
    void everyTranslationKeepsItsArguments()
    {
        const QList<Message> messages =
            ReadMessages(QStringLiteral(HIKEWISE_SOURCE_DIR "/translations/hikewise_en.ts"));
        QVERIFY2(!messages.isEmpty(), "translations/hikewise_en.ts is missing or broken");
        for (const Message& m : messages) {
            if (!m.finished)
                continue;
            const QString where = m.context + QLatin1String(": ") + m.source;
            QVERIFY2(!m.translation.isEmpty(), qPrintable(where));
            QVERIFY2(PrintfConversions(m.translation) == PrintfConversions(m.source),
                     qPrintable(where + QLatin1String(" -> ") + m.translation));
            QVERIFY2(QtMarkers(m.translation) == QtMarkers(m.source),
                     qPrintable(where + QLatin1String(" -> ") + m.translation));
            // A menu text keeps one keyboard accelerator when its source has one.
            const bool accelerator =
                m.source.contains(QRegularExpression(QStringLiteral("&[^& ]")));
            QVERIFY2(!accelerator ||
                         m.translation.count(QRegularExpression(QStringLiteral("&[^& ]"))) == 1,
                     qPrintable(where + QLatin1String(" -> ") + m.translation));
        }
    }

    void conversionsAreReadInOrder()
    {
        QCOMPARE(
            PrintfConversions(QStringLiteral("已添加 %d 新路点. 已替换 %5.1f%% %s")),
            QStringList({QStringLiteral("%d"), QStringLiteral("%5.1f"), QStringLiteral("%s")}));
        QVERIFY(PrintfConversions(QStringLiteral("%s at %d")) !=
                PrintfConversions(QStringLiteral("%d at %s")));
        QCOMPARE(QtMarkers(QStringLiteral("%2 of %1")), QtMarkers(QStringLiteral("%1 / %2")));
    }
};

QTEST_MAIN(TranslationFormatsTest)
#include "test_translation_formats.moc"
