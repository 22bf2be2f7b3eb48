// The signature page as a browser gets it: well-formed, self-contained, and
// every variant what the picture button makes of the signature. Read back
// from the HTML itself, with a parser of its own, not the builder's.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
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
    SignatureText text;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
        char32_t code = extra ? lead & (0x3F >> extra) : lead;
        for (int k = 1; k <= extra; ++k)
            code = (code << 6) | (static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]) & 0x3F);
        i += static_cast<std::size_t>(extra) + 1;
        if (code < 0x10000) {
            text += static_cast<char16_t>(code);
        } else {
            text += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
            text += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        }
    }
    return text;
}

// The five entities a page may use; anything else after '&' is a fault.
std::string Unescape(const std::string& text, std::string& fault)
{
    static const std::map<std::string, char> entities{
        {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"#39", '\''}};
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            plain += text[i];
            continue;
        }
        const std::size_t end = text.find(';', i);
        const auto entity =
            end == std::string::npos ? entities.end() : entities.find(text.substr(i + 1, end - i - 1));
        if (entity == entities.end()) {
            fault = "a bare '&' in '" + text + "'";
            return plain;
        }
        plain += entity->second;
        i = end;
    }
    return plain;
}

struct Element {
    std::string name;
    std::map<std::string, std::string> attributes;  // unescaped
    std::string text;                               // up to the next tag, unescaped
};

// Every start tag in order, or a fault: a tag left open or closed out of
// order, an attribute that is not name="value", a stray '<' or '&', or
// anything in a script or style that reaches beyond the page.
std::vector<Element> Parse(const std::string& html, std::string& fault)
{
    static const std::set<std::string> kVoid{"meta", "input", "br", "hr", "img", "link", "source", "wbr"};
    static const std::regex kTag(R"re(<(/?)([a-z][a-z0-9]*)((?:\s+[a-z-]+(?:="[^"<]*")?)*)\s*>)re");
    static const std::regex kAttribute(R"re(([a-z-]+)(?:="([^"]*)")?)re");
    static const std::regex kBeyond(
        R"re(https?:|url\(|@import|\bimport\(|fetch\(|XMLHttpRequest|WebSocket)re");
    std::vector<Element> elements;
    std::vector<std::string> open;
    std::size_t at = 0;
    const auto textUpTo = [&](std::size_t end) {
        const std::string text = Unescape(html.substr(at, end - at), fault);
        if (!elements.empty())
            elements.back().text += text;
    };
    if (html.rfind("<!DOCTYPE html>", 0) != 0)
        fault = "no <!DOCTYPE html> first";
    at = html.find('>') + 1;
    for (std::size_t lt; fault.empty() && (lt = html.find('<', at)) != std::string::npos;) {
        textUpTo(lt);
        if (html.compare(lt, 4, "<!--") == 0) {
            at = html.find("-->", lt) + 3;
            continue;
        }
        std::smatch tag;
        if (!std::regex_search(html.cbegin() + static_cast<std::ptrdiff_t>(lt), html.cend(), tag, kTag,
                               std::regex_constants::match_continuous)) {
            fault = "a stray '<' at byte " + std::to_string(lt);
            break;
        }
        at = lt + static_cast<std::size_t>(tag.length(0));
        const std::string name = tag[2];
        if (tag[1] == "/") {
            if (open.empty() || open.back() != name)
                fault =
                    "</" + name + "> closes <" + (open.empty() ? std::string("nothing") : open.back()) + ">";
            else
                open.pop_back();
            continue;
        }
        Element element{name, {}, {}};
        const std::string attributes = tag[3];
        for (std::sregex_iterator it(attributes.begin(), attributes.end(), kAttribute), end; it != end; ++it)
            element.attributes[(*it)[1]] = Unescape((*it)[2], fault);
        elements.push_back(element);
        if (name == "script" || name == "style") {
            const std::size_t close = html.find("</" + name + ">", at);
            if (close == std::string::npos) {
                fault = "<" + name + "> never closes";
                break;
            }
            const std::string raw = html.substr(at, close - at);
            if (std::smatch beyond; std::regex_search(raw, beyond, kBeyond))
                fault = "the " + name + " reaches out: " + beyond.str();
            at = close + name.size() + 3;
        } else if (!kVoid.contains(name)) {
            open.push_back(name);
        }
    }
    if (fault.empty() && !open.empty())
        fault = "<" + open.back() + "> never closes";
    return elements;
}

struct Entry {
    std::map<std::string, SignatureText> variants;
    SignatureText shown;
};

// Checks what a page must hold whatever its list, and returns its signatures.
std::vector<Entry> CheckPage(const std::string& html)
{
    std::string fault;
    const std::vector<Element> elements = Parse(html, fault);
    EXPECT_EQ(fault, "");
    std::vector<Entry> entries;
    for (const Element& element : elements) {
        // Nothing is fetched: no source of any kind, links only within the page.
        static const std::set<std::string> kFetching{"link",  "img",   "iframe", "object", "embed",
                                                     "audio", "video", "source", "base",   "form"};
        EXPECT_FALSE(kFetching.contains(element.name)) << "<" << element.name << ">";
        for (const auto& [name, value] : element.attributes) {
            EXPECT_TRUE(name != "src" && name != "srcset" && name != "action" && name != "style" &&
                        name.rfind("on", 0) != 0)
                << "<" << element.name << " " << name << "=\"" << value << "\">";
            if (name == "href") {
                EXPECT_EQ(value.substr(0, 1), "#") << value;
            }
        }
        if (element.name != "p" || element.attributes.count("class") == 0 ||
            element.attributes.at("class") != "sig")
            continue;
        Entry entry;
        for (const auto& [name, value] : element.attributes)
            if (name.rfind("data-", 0) == 0)
                entry.variants[name.substr(5)] = Utf16(value);
        entry.shown = Utf16(element.text);
        entries.push_back(entry);
    }
    for (const Entry& entry : entries) {
        EXPECT_EQ(entry.variants.size(), 5u);
        if (entry.variants.size() != 5)
            continue;
        const SignatureText& plain = entry.variants.at("plain");
        EXPECT_LE(plain.size(), 40u);
        EXPECT_EQ(entry.shown, plain);
        EXPECT_EQ(entry.variants.at("spaces"), AddSpaces(plain));
        EXPECT_EQ(entry.variants.at("symbols"), AddSymbols(plain));
        EXPECT_EQ(entry.variants.at("traditional"), ToTraditional(plain));
        EXPECT_EQ(entry.variants.at("martian"), ToMartian(plain));
    }
    return entries;
}

TEST(SignaturePage, TheBuiltPageHoldsEveryListedSignatureInEveryStyle)
{
    const std::string html = ReadFile(VELLUMINO_SIGNATURE_PAGE);
    ASSERT_FALSE(html.empty());
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
        EXPECT_EQ(entries[i].variants.at("plain"), listed[i]);
}

// Text that looks like markup stays text, and characters beyond the BMP
// survive every style.
TEST(SignaturePage, MarkupInASignatureIsShownAsTyped)
{
    const std::string pageTemplate = ReadFile(VELLUMINO_PAGE_TEMPLATE);
    const std::string tricky = "<b onclick='a&&b'>\"x\"</b>";
    const page::BuiltPage built =
        page::BuildPage("[试]\n" + tricky + "\n签名\xF0\x9F\x98\x80\n", "list", pageTemplate);
    ASSERT_EQ(built.error, "");
    const std::vector<Entry> entries = CheckPage(built.html);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].shown, Utf16(tricky));
    EXPECT_EQ(entries[1].variants.at("spaces"), u"签 名 \U0001F600");
}

TEST(SignaturePage, AListThatWouldMakeAWrongPageIsRefusedWithItsLine)
{
    const std::string pageTemplate = ReadFile(VELLUMINO_PAGE_TEMPLATE);
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
    for (const auto& [list, error] : cases) {
        const page::BuiltPage built = page::BuildPage(list, "list", pageTemplate);
        EXPECT_EQ(built.error.substr(0, error.size()), error) << list;
        EXPECT_EQ(built.html.empty(), !error.empty()) << list;
    }
}

}  // namespace
