#pragma once

#include <QByteArray>
#include <QString>
#include <QXmlStreamAttributes>

class XMLParser;

// Receives the events of an XMLParser in document order. Every operation is optional.
class XMLParserDelegate {
public:
    virtual ~XMLParserDelegate() = default;

    // An element starts. `elementName` is the name as written ("update", "ns:item");
    // `namespaceURI` and `qualifiedName` stay empty (prefixes are not resolved).
    virtual void parserDidStartElement(XMLParser& /*parser*/, const QString& /*elementName*/,
                                       const QString& /*namespaceURI*/,
                                       const QString& /*qualifiedName*/,
                                       const QXmlStreamAttributes& /*attributes*/) {}
    // An element ends.
    virtual void parserDidEndElement(XMLParser& /*parser*/, const QString& /*elementName*/,
                                     const QString& /*namespaceURI*/,
                                     const QString& /*qualifiedName*/) {}
    // The text between two tags, whole: entities resolved, CDATA sections, comments and
    // processing instructions inside it do not split it (white space between elements is
    // text too).
    virtual void parserFoundCharacters(XMLParser& /*parser*/, const QString& /*string*/) {}
};

// An event-driven parser of one XML document held in memory. It reads the document from start
// to end in one call and reports elements and texts to its delegate as it meets them. It keeps
// no tree, so deep nesting and long texts cost no more than the document itself; entity
// expansion is bounded, so a document cannot inflate itself.
class XMLParser {
public:
    explicit XMLParser(QByteArray data);

    // Not owned; may be null.
    XMLParserDelegate* delegate = nullptr;

    // Reads the whole document. True when it is well-formed XML. On an error the events up to
    // the error have been reported, except a text that the error cut short; parsing stops there.
    bool parse();

    // Why parse() failed, with the line of the fault; empty when it did not.
    QString parserError() const { return error_; }

private:
    QByteArray data_;
    QString error_;
};
