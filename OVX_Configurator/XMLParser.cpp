#include "OVX_Configurator/XMLParser.h"

#include <QXmlStreamReader>

#include <utility>

XMLParser::XMLParser(QByteArray data) : data_(std::move(data)) {}

bool XMLParser::parse() {
    error_.clear();
    QXmlStreamReader reader(data_);
    reader.setNamespaceProcessing(false);

    // Text is collected until the next tag, so that a text read in several pieces (around
    // entities, CDATA sections or comments) reaches the delegate whole.
    QString text;
    bool hasText = false;
    auto flushText = [&] {
        if (!hasText)
            return;
        const QString whole = std::exchange(text, QString());
        hasText = false;
        if (delegate)
            delegate->parserFoundCharacters(*this, whole);
    };

    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement: {
            flushText();
            const QXmlStreamAttributes attributes = reader.attributes();
            if (delegate)
                delegate->parserDidStartElement(*this, reader.qualifiedName().toString(), QString(),
                                                QString(), attributes);
            break;
        }
        case QXmlStreamReader::EndElement:
            flushText();
            if (delegate)
                delegate->parserDidEndElement(*this, reader.qualifiedName().toString(), QString(),
                                              QString());
            break;
        case QXmlStreamReader::Characters:
            text += reader.text();
            hasText = true;
            break;
        case QXmlStreamReader::EndDocument:
            flushText();
            break;
        default: // document start, DTD, comments, processing instructions
            break;
        }
    }
    if (reader.hasError()) {
        error_ = QStringLiteral("%1 (line %2, column %3)")
                     .arg(reader.errorString())
                     .arg(reader.lineNumber())
                     .arg(reader.columnNumber());
        return false;
    }
    return true;
}
