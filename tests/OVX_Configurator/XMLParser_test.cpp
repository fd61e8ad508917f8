#include "OVX_Configurator/XMLParser.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

// Records the events as "<name", ">name" and "'text'".
class EventLog : public XMLParserDelegate {
public:
    void parserDidStartElement(XMLParser&, const QString& elementName, const QString&,
                               const QString&, const QXmlStreamAttributes&) override {
        events << QLatin1Char('<') + elementName;
    }
    void parserDidEndElement(XMLParser&, const QString& elementName, const QString&,
                             const QString&) override {
        events << QLatin1Char('>') + elementName;
    }
    void parserFoundCharacters(XMLParser&, const QString& string) override {
        events << QLatin1Char('\'') + string + QLatin1Char('\'');
        longestText = std::max(longestText, string.size());
    }

    QStringList events;
    qsizetype longestText = 0;
};

struct Parsed {
    bool ok;
    QStringList events;
    QString error;
};

Parsed parse(const QByteArray& document) {
    EventLog log;
    XMLParser parser(document);
    parser.delegate = &log;
    const bool ok = parser.parse();
    return {ok, log.events, parser.parserError()};
}

TEST(XMLParser, ReportsElementsAndWholeTextsInDocumentOrder) {
    // A text reaches the delegate whole up to the next tag, whatever entities, character
    // references, CDATA sections and comments it holds; white space between elements is text.
    const Parsed p = parse("<?xml version=\"1.0\"?>\n"
                           "<list>\n"
                           " <file>OVX_&amp;_<![CDATA[<1>]]>&#x41;<!-- note -->.dmg</file>"
                           "<empty/><ns:item xmlns:ns=\"urn:x\" a=\"1\">x</ns:item>"
                           "</list>\n");
    EXPECT_TRUE(p.ok) << p.error.toStdString();
    EXPECT_TRUE(p.error.isEmpty());
    EXPECT_EQ(p.events, (QStringList{"<list", "'\n '", "<file", "'OVX_&_<1>A.dmg'", ">file",
                                     "<empty", ">empty", "<ns:item", "'x'", ">ns:item", ">list"}));
}

TEST(XMLParser, StopsAtTheFirstFaultWithoutTheTextItCutShort) {
    struct Case {
        const char* name;
        QByteArray document;
        QStringList events; // reported before the fault
    };
    const Case cases[] = {
        {"cut inside a text", "<list><update><title>OVX 1.", {"<list", "<update", "<title"}},
        {"cut inside a tag", "<list><update><ti", {"<list", "<update"}},
        {"mismatched end tag", "<list><a>1</b></list>", {"<list", "<a"}},
        {"undeclared entity", "<list><a>x&nbsp;y</a></list>", {"<list", "<a"}},
        {"not XML", "<html>404 <b>page</html>", {"<html", "'404 '", "<b"}},
        {"empty", "", {}},
        {"text only", "no markup here", {}},
        {"two roots", "<a/><b/>", {"<a", ">a"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Parsed p = parse(c.document);
        EXPECT_FALSE(p.ok);
        EXPECT_FALSE(p.error.isEmpty());
        EXPECT_EQ(p.events, c.events);
    }
}

TEST(XMLParser, SurvivesHostileDocuments) {
    // Deep nesting: no recursion, every level reported.
    constexpr int depth = 200000;
    QByteArray nested = QByteArray("<a>").repeated(depth) + QByteArray("</a>").repeated(depth);
    {
        EventLog log;
        XMLParser parser(nested);
        parser.delegate = &log;
        EXPECT_TRUE(parser.parse());
        EXPECT_EQ(log.events.size(), 2 * depth);
    }
    // A nesting that never closes is a fault, not a crash.
    EXPECT_FALSE(parse(QByteArray("<a>").repeated(depth)).ok);

    // A text of several megabytes arrives as one text.
    {
        const QByteArray text(6 * 1024 * 1024, 'x');
        EventLog log;
        XMLParser parser("<a>" + text + "</a>");
        parser.delegate = &log;
        EXPECT_TRUE(parser.parse());
        EXPECT_EQ(log.longestText, text.size());
    }

    // Entities that expand into each other are cut off before they use up memory.
    const QByteArray laughs = "<?xml version=\"1.0\"?>\n"
                              "<!DOCTYPE l [\n"
                              " <!ENTITY a \"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\">\n"
                              " <!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">\n"
                              " <!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">\n"
                              " <!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\">\n"
                              " <!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\">\n"
                              " <!ENTITY f \"&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;\">\n"
                              " <!ENTITY g \"&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;\">\n"
                              " <!ENTITY h \"&g;&g;&g;&g;&g;&g;&g;&g;&g;&g;\">\n"
                              "]>\n"
                              "<l><title>&h;</title></l>";
    const Parsed p = parse(laughs);
    EXPECT_FALSE(p.ok);
    EXPECT_FALSE(p.events.contains("'" + QString(40, 'a') + "'"));

    // Without a delegate the document is only checked.
    XMLParser silent("<a>1</a>");
    EXPECT_TRUE(silent.parse());
}

} // namespace
