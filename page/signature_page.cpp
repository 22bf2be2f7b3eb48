#include "signature_page.h"

#include <algorithm>
#include <optional>
#include <set>
#include <vector>

#include "html.h"
#include "styling.h"
#include "utf8.h"

namespace vellumino::page {

namespace {

// The messenger's field, and the program's, hold this many UTF-16 units.
constexpr std::size_t kFieldLimit = 40;

// The switch at the top of the page, in the order of the picture buttons. The
// key names the data attribute that holds each variant.
struct Style {
    const char* key;
    const char* label;
    SignatureText (*make)(SignatureView);
};
constexpr Style kStyles[] = {
    {"plain", "原样", nullptr},
    {"spaces", "加空格", vellumino::AddSpaces},
    {"symbols", "加符号", vellumino::AddSymbols},
    {"traditional", "转繁体", vellumino::ToTraditional},
    {"martian", "转火星", vellumino::ToMartian},
};

struct Section {
    std::string name;
    std::vector<SignatureText> signatures;
};

// Records why the page cannot be built; always false, to return at once.
bool Fail(std::string& error, const std::string& what)
{
    error = what;
    return false;
}

// A wrong line stops the build with its number rather than making a page
// that silently lacks it.
bool ReadSections(std::string_view list, std::string_view path, std::vector<Section>& sections,
                  std::string& error)
{
    std::set<SignatureText> seen;
    int number = 0;
    for (std::size_t start = 0; start < list.size();) {
        const std::size_t end = std::min(list.find('\n', start), list.size());
        std::string line(list.substr(start, end - start));
        start = end + 1;
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::string where = std::string(path) + ":" + std::to_string(number) + ": ";
        if (line.empty() || line.front() == '#')
            continue;
        if (line.front() == '[') {
            if (line.size() < 3 || line.back() != ']' || !FromUtf8(line))
                return Fail(error, where + "a section is written [名称], in UTF-8");
            sections.push_back({line.substr(1, line.size() - 2), {}});
            continue;
        }
        const std::optional<SignatureText> signature = FromUtf8(line);
        if (!signature)
            return Fail(error, where + "not UTF-8");
        if (sections.empty())
            return Fail(error, where + "a signature before the first section");
        if (signature->size() > kFieldLimit)
            return Fail(error, where + std::to_string(signature->size()) + " UTF-16 units; the field takes " +
                                   std::to_string(kFieldLimit));
        // The field's commands trim, so a signature with a space at an end
        // would not come back as listed.
        if (signature->front() == u' ' || signature->back() == u' ')
            return Fail(error, where + "a space at an end");
        if (!seen.insert(*signature).second)
            return Fail(error, where + "listed twice");
        sections.back().signatures.push_back(*signature);
    }
    for (const Section& section : sections)
        if (section.signatures.empty())
            return Fail(error, std::string(path) + ": section [" + section.name + "] is empty");
    return sections.empty() ? Fail(error, std::string(path) + ": no signatures") : true;
}

bool RenderSignature(SignatureView signature, std::string& html, std::string& error)
{
    std::string plain;
    html += "<li><p class=\"sig\"";
    for (const Style& style : kStyles) {
        const std::optional<std::string> variant =
            ToUtf8(style.make ? style.make(signature) : SignatureText(signature));
        if (!variant)
            return Fail(error, std::string(style.label) + " left half a surrogate pair");
        html.append(" data-").append(style.key).append("=\"").append(EscapeHtml(*variant)).append("\"");
        if (!style.make)
            plain = EscapeHtml(*variant);
    }
    html.append(">").append(plain).append("</p><button type=\"button\" class=\"copy\">复制</button></li>\n");
    return true;
}

bool Replace(std::string& page, std::string_view placeholder, const std::string& with, std::string& error)
{
    const std::size_t at = page.find(placeholder);
    if (at == std::string::npos || page.find(placeholder, at + 1) != std::string::npos)
        return Fail(error, std::string("the template needs ").append(placeholder).append(" exactly once"));
    page.replace(at, placeholder.size(), with);
    return true;
}

}  // namespace

BuiltPage BuildPage(std::string_view list, std::string_view listName, std::string_view pageTemplate,
                    std::string_view copyScript)
{
    BuiltPage built;
    // The page must stay well-formed XML, which a script with these breaks.
    if (copyScript.find_first_of("<&") != std::string_view::npos) {
        built.error = "the copy script holds a < or an &";
        return built;
    }
    std::vector<Section> sections;
    if (!ReadSections(list, listName, sections, built.error))
        return built;
    std::string page(pageTemplate);

    std::string styles, nav, body;
    for (const Style& style : kStyles) {
        const std::string id = std::string("style-") + style.key;
        styles.append("<input type=\"radio\" name=\"style\" id=\"")
            .append(id)
            .append("\" value=\"")
            .append(style.key);
        styles.append(style.make ? "\" />" : "\" checked=\"checked\" />");
        styles.append("<label for=\"").append(id).append("\">").append(style.label).append("</label>");
    }
    std::size_t count = 0;
    for (std::size_t i = 0; i < sections.size(); ++i) {
        const Section& section = sections[i];
        const std::string id = std::string("s").append(std::to_string(i + 1));
        const std::string name = EscapeHtml(section.name);
        nav.append("<a href=\"#").append(id).append("\">").append(name).append("</a>");
        body.append("<section id=\"").append(id).append("\">\n<h2>").append(name);
        body.append(" <small>")
            .append(std::to_string(section.signatures.size()))
            .append(" 条</small></h2>\n");
        body.append("<ul class=\"list\">\n");
        for (const SignatureText& signature : section.signatures)
            if (!RenderSignature(signature, body, built.error))
                return built;
        body.append("</ul>\n</section>\n");
        count += section.signatures.size();
    }
    if (Replace(page, "@STYLES@", styles, built.error) && Replace(page, "@NAV@", nav, built.error) &&
        Replace(page, "@COUNT@", std::to_string(count), built.error) &&
        Replace(page, "@SECTIONS@", body, built.error) &&
        Replace(page, "@COPY_THE_OLD_WAY@", std::string(copyScript), built.error))
        built.html = std::move(page);
    return built;
}

}  // namespace vellumino::page
