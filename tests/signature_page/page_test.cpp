// The signature page as a browser gets it: well-formed (strictly, as XML),
// self-contained, and every variant what the picture button makes of the
// signature. Read back from the HTML by Qt's XML reader, not by the builder.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QString>
#include <QXmlStreamReader>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "signature_page.h"
#include "styling.h"

using namespace vellumino;

namespace {

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

SignatureText Utf16(const std::string& utf8)
{
    return QString::fromUtf8(utf8).toStdU16String();
}

using Entry = std::map<std::string, SignatureText>;  // style, or "shown", to text

// Checks what any page must hold, whatever its list, and returns its signatures.
std::vector<Entry> CheckPage(const std::string& html)
{
    // Nothing is fetched: no element that loads, no source, no handler, links
    // only within the page, and no address or loader in the style or script.
    static const std::set<QString> kFetching{"link",  "img",   "iframe", "object", "embed",
                                             "audio", "video", "source", "base",   "form"};
    static const QRegularExpression kReachingOut(
        R"re(https?:|url\(|@import|\bimport\(|fetch\(|XMLHttp|WebSocket)re");
    std::vector<Entry> entries;
    QXmlStreamReader xml(QByteArray::fromStdString(html));
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QString name = xml.name().toString();
        EXPECT_FALSE(kFetching.contains(name)) << name.toStdString();
        Entry entry;
        for (const QXmlStreamAttribute& attribute : xml.attributes()) {
            const QString key = attribute.name().toString();
            EXPECT_TRUE(key != "src" && key != "srcset" && key != "action" && key != "style" &&
                        !key.startsWith("on"))
                << name.toStdString() << " " << key.toStdString();
            if (key == "href") {
                EXPECT_TRUE(attribute.value().startsWith('#')) << attribute.value().toString().toStdString();
            } else if (key.startsWith("data-")) {
                entry[key.mid(5).toStdString()] = attribute.value().toString().toStdU16String();
            }
        }
        if (name == "script" || name == "style") {
            const QString code = xml.readElementText();
            EXPECT_FALSE(kReachingOut.match(code).hasMatch())
                << kReachingOut.match(code).captured().toStdString();
        } else if (name == "p" && xml.attributes().value("class") == QLatin1String("sig")) {
            entry["shown"] = xml.readElementText().toStdU16String();
            entries.push_back(entry);
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString() << " at line " << xml.lineNumber();

    for (const Entry& entry : entries) {
        EXPECT_EQ(entry.size(), 6u);
        if (entry.size() != 6)
            continue;
        const SignatureText& plain = entry.at("plain");
        EXPECT_LE(plain.size(), 40u);
        EXPECT_EQ(entry.at("shown"), plain);
        EXPECT_EQ(entry.at("spaces"), AddSpaces(plain));
        EXPECT_EQ(entry.at("symbols"), AddSymbols(plain));
        EXPECT_EQ(entry.at("traditional"), ToTraditional(plain));
        EXPECT_EQ(entry.at("martian"), ToMartian(plain));
    }
    return entries;
}

TEST(SignaturePage, TheBuiltPageHoldsEveryListedSignatureInEveryStyle)
{
    const std::string html = ReadFile(VELLUMINO_SIGNATURE_PAGE);
    ASSERT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
    const std::vector<Entry> entries = CheckPage(html);

    std::istringstream list(ReadFile(VELLUMINO_SIGNATURE_LIST));
    std::vector<SignatureText> listed;
    int sections = 0;
    for (std::string line; std::getline(list, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        if (line[0] == '[')
            ++sections;
        else
            listed.push_back(Utf16(line));
    }
    EXPECT_GE(sections, 8);
    EXPECT_GE(listed.size(), 200u);
    ASSERT_EQ(entries.size(), listed.size());
    for (std::size_t i = 0; i < listed.size(); ++i)
        EXPECT_EQ(entries[i].at("plain"), listed[i]);
}

// Text that looks like markup stays text, and characters beyond the BMP
// survive every style.
TEST(SignaturePage, MarkupInASignatureIsShownAsTyped)
{
    const std::string tricky = "<b onclick='a&&b'>\"x\"</b>";
    const page::BuiltPage built = page::BuildPage("[试]\n" + tricky + "\n签名\xF0\x9F\x98\x80\n", "list",
                                                  ReadFile(VELLUMINO_PAGE_TEMPLATE), "");
    ASSERT_EQ(built.error, "");
    const std::vector<Entry> entries = CheckPage(built.html);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].at("shown"), Utf16(tricky));
    EXPECT_EQ(entries[1].at("spaces"), u"签 名 \U0001F600");
}

TEST(SignaturePage, AListThatWouldMakeAWrongPageIsRefusedWithItsLine)
{
    std::string thirtyNine;
    for (int i = 0; i < 39; ++i)
        thirtyNine += "签";
    const struct {
        std::string list;
        std::string error;
    } cases[] = {
        {"[试]\n" + std::string(40, 'x') + "\n" + std::string(41, 'x') + "\n", "list:3: 41 UTF-16 units"},
        // A character beyond the BMP takes two units of the field.
        {"[试]\n" + thirtyNine + "x\n" + thirtyNine + "\xF0\x9F\x98\x80\n", "list:3: 41 UTF-16 units"},
        {"签名\n[试]\n", "list:1: a signature before the first section"},
        {"[试]\n签名\n# note\n签名\n", "list:4: listed twice"},
        {"[试]\n\xE7\xAD\n", "list:2: not UTF-8"},
        {"[试]\n\xED\xA0\x80\n", "list:2: not UTF-8"},  // a surrogate, encoded
        {"[试]\n签名 \n", "list:2: a space at an end"},
        {"[试]\n签名\n[空]\n", "list: section [空] is empty"},
        {"# nothing\n", "list: no signatures"},
    };
    const std::string pageTemplate = ReadFile(VELLUMINO_PAGE_TEMPLATE);
    for (const auto& [list, error] : cases) {
        const page::BuiltPage built = page::BuildPage(list, "list", pageTemplate, "");
        EXPECT_EQ(built.error.substr(0, error.size()), error) << list;
        EXPECT_EQ(built.html.empty(), !error.empty()) << list;
    }
}

}  // namespace
