// Reads a compiled Windows resource file (.res, as windres or rc writes it) and
// checks what Explorer will show of the program file: the icon group with its
// seven images, and the version record in Chinese (PRC) with Unicode strings.
//
//   res_check FILE.res --file-version 1.0.0.0 Key=Value...
//
// Each Key=Value must appear in the "080404b0" string table exactly.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <tuple>
#include <vector>

namespace {

using Bytes = std::span<const std::uint8_t>;

int failures = 0;

void Fail(const std::string& message)
{
    std::fprintf(stderr, "FAIL: %s\n", message.c_str());
    ++failures;
}

std::uint16_t Word(Bytes b, std::size_t at)
{
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

std::uint32_t Dword(Bytes b, std::size_t at)
{
    return static_cast<std::uint32_t>(Word(b, at)) | static_cast<std::uint32_t>(Word(b, at + 2)) << 16;
}

std::size_t Align4(std::size_t n)
{
    return (n + 3) & ~std::size_t{3};
}

// UTF-16LE to UTF-8, enough for the text of a version record.
std::string Utf8(const std::u16string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | c >> 6);
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | c >> 12);
            out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | c >> 18);
            out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
            out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// A null-terminated UTF-16 string at `at`; `at` moves past the terminator.
std::optional<std::u16string> ReadString(Bytes b, std::size_t& at, std::size_t end)
{
    std::u16string s;
    while (at + 2 <= end) {
        const std::uint16_t unit = Word(b, at);
        at += 2;
        if (unit == 0)
            return s;
        s += static_cast<char16_t>(unit);
    }
    return std::nullopt;
}

struct Resource {
    std::uint16_t type;  // numeric types only; named types are skipped
    std::string name;    // "#7" for a numeric name
    std::uint16_t language;
    Bytes data;
};

// A name or type field: 0xFFFF then a number, or a UTF-16 string.
std::optional<std::string> ReadId(Bytes b, std::size_t& at, std::size_t end, std::uint16_t* number)
{
    if (at + 4 > end)
        return std::nullopt;
    if (Word(b, at) == 0xFFFF) {
        *number = Word(b, at + 2);
        at += 4;
        return "#" + std::to_string(*number);
    }
    *number = 0;
    const auto s = ReadString(b, at, end);
    if (!s)
        return std::nullopt;
    return Utf8(*s);
}

std::vector<Resource> ReadResources(Bytes file)
{
    std::vector<Resource> out;
    std::size_t at = 0;
    while (at + 32 <= file.size()) {
        const std::uint32_t dataSize = Dword(file, at);
        const std::uint32_t headerSize = Dword(file, at + 4);
        const std::size_t dataAt = at + headerSize;
        if (headerSize < 32 || dataAt > file.size() || dataSize > file.size() - dataAt) {
            Fail("resource entry at byte " + std::to_string(at) + " runs past the end of the file");
            return out;
        }
        std::size_t field = at + 8;
        std::uint16_t type = 0;
        std::uint16_t ignored = 0;
        const auto typeName = ReadId(file, field, dataAt, &type);
        const auto name = ReadId(file, field, dataAt, &ignored);
        field = Align4(field);
        if (!typeName || !name || field + 16 > dataAt) {
            Fail("unreadable resource header at byte " + std::to_string(at));
            return out;
        }
        // The leading empty entry marks a 32-bit resource file; it carries nothing.
        if (dataSize > 0)
            out.push_back({type, *name, Word(file, field + 6), file.subspan(dataAt, dataSize)});
        at = Align4(dataAt + dataSize);
    }
    return out;
}

// --- Icons ---------------------------------------------------------------

constexpr std::uint16_t kIcon = 3;
constexpr std::uint16_t kGroupIcon = 14;
constexpr std::uint16_t kVersion = 16;

// Width and bits per pixel: 16, 24, 32 px at 8 bits and 16, 24, 32, 48 px at 32.
const std::set<std::pair<int, int>> kIconImages{{16, 8},  {24, 8},  {32, 8}, {16, 32},
                                                {24, 32}, {32, 32}, {48, 32}};

void CheckIcons(const std::vector<Resource>& resources)
{
    std::map<int, Bytes> images;
    std::vector<const Resource*> groups;
    for (const Resource& r : resources) {
        if (r.type == kIcon)
            images[std::stoi(r.name.substr(1))] = r.data;
        if (r.type == kGroupIcon)
            groups.push_back(&r);
    }
    if (groups.size() != 1) {
        Fail("expected one icon group, found " + std::to_string(groups.size()));
        return;
    }
    const Bytes group = groups.front()->data;
    if (group.size() < 6 || Word(group, 2) != 1) {
        Fail("the icon group is not an icon directory");
        return;
    }
    const std::size_t count = Word(group, 4);
    if (group.size() < 6 + 14 * count) {
        Fail("the icon group is cut short");
        return;
    }
    std::set<std::pair<int, int>> found;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t e = 6 + 14 * i;
        const int width = group[e] == 0 ? 256 : group[e];
        const int height = group[e + 1] == 0 ? 256 : group[e + 1];
        const int bits = Word(group, e + 6);
        const std::uint32_t bytes = Dword(group, e + 8);
        const int id = Word(group, e + 12);
        const std::string what = "icon image " + std::to_string(id) + " (" + std::to_string(width) + " px, " +
                                 std::to_string(bits) + " bit)";
        const auto image = images.find(id);
        if (image == images.end()) {
            Fail(what + " is listed but missing");
            continue;
        }
        const Bytes data = image->second;
        if (data.size() != bytes)
            Fail(what + " has " + std::to_string(data.size()) + " bytes, the group says " +
                 std::to_string(bytes));
        // The image itself must be what the group says: a DIB header of that
        // size and depth (twice the height: colour and mask), or a PNG.
        if (data.size() >= 24 && data[0] == 0x89 && data[1] == 'P') {
            const auto BigEndian = [&](std::size_t offset) {
                return static_cast<int>(data[offset] << 24 | data[offset + 1] << 16 | data[offset + 2] << 8 |
                                        data[offset + 3]);
            };
            if (BigEndian(16) != width || BigEndian(20) != height)
                Fail(what + " is a PNG of another size");
        } else if (data.size() < 40 || Dword(data, 0) != 40 || static_cast<int>(Dword(data, 4)) != width ||
                   static_cast<int>(Dword(data, 8)) != 2 * height || Word(data, 14) != bits) {
            Fail(what + " does not match its bitmap header");
        }
        if (width != height)
            Fail(what + " is not square");
        found.emplace(width, bits);
        std::printf("icon: %d x %d px, %d bit\n", width, height, bits);
    }
    if (count != kIconImages.size() || found != kIconImages)
        Fail("expected seven icon images (16, 24, 32 px at 8 bit; 16, 24, 32, 48 px at 32 bit), found " +
             std::to_string(count));
    if (images.size() != count)
        Fail(std::to_string(images.size()) + " icon images, of which the group lists " +
             std::to_string(count));
}

// --- Version record ------------------------------------------------------

struct Node {
    std::string key;
    std::uint16_t type;  // 1: text, 0: binary
    Bytes value;         // raw bytes of the value
    std::vector<Node> children;
};

std::optional<Node> ReadNode(Bytes b, std::size_t at, std::size_t limit, std::size_t* next)
{
    if (at + 6 > limit)
        return std::nullopt;
    const std::size_t length = Word(b, at);
    const std::size_t valueLength = Word(b, at + 2);
    const std::uint16_t type = Word(b, at + 4);
    const std::size_t end = at + length;
    if (length < 6 || end > limit)
        return std::nullopt;
    std::size_t p = at + 6;
    const auto key = ReadString(b, p, end);
    if (!key)
        return std::nullopt;
    p = Align4(p);
    const std::size_t valueBytes = type == 1 ? 2 * valueLength : valueLength;
    if (p + valueBytes > end)
        return std::nullopt;
    Node node{Utf8(*key), type, b.subspan(p, valueBytes), {}};
    p = Align4(p + valueBytes);
    while (p < end) {
        std::size_t after = 0;
        auto child = ReadNode(b, p, end, &after);
        if (!child)
            return std::nullopt;
        node.children.push_back(std::move(*child));
        p = Align4(after);
    }
    *next = end;
    return node;
}

const Node* Child(const Node& node, const std::string& key)
{
    const auto it =
        std::find_if(node.children.begin(), node.children.end(), [&](const Node& c) { return c.key == key; });
    return it == node.children.end() ? nullptr : &*it;
}

std::string Text(const Node& node)
{
    std::u16string s;
    for (std::size_t i = 0; i + 1 < node.value.size(); i += 2) {
        const std::uint16_t unit = Word(node.value, i);
        if (unit == 0)
            break;
        s += static_cast<char16_t>(unit);
    }
    return Utf8(s);
}

void CheckVersion(const std::vector<Resource>& resources, const std::string& fileVersion,
                  const std::map<std::string, std::string>& expected)
{
    std::vector<const Resource*> records;
    for (const Resource& r : resources)
        if (r.type == kVersion)
            records.push_back(&r);
    if (records.size() != 1) {
        Fail("expected one version record, found " + std::to_string(records.size()));
        return;
    }
    const Resource& record = *records.front();
    if (record.language != 0x0804)
        Fail("the version record's resource language is not Chinese (PRC) 0x0804");
    std::size_t end = 0;
    const auto root = ReadNode(record.data, 0, record.data.size(), &end);
    if (!root || root->key != "VS_VERSION_INFO") {
        Fail("the version record does not parse");
        return;
    }
    if (root->value.size() != 52 || Dword(root->value, 0) != 0xFEEF04BD) {
        Fail("the version record has no fixed file information");
    } else {
        const std::uint32_t ms = Dword(root->value, 8);
        const std::uint32_t ls = Dword(root->value, 12);
        const std::string numbers = std::to_string(ms >> 16) + "." + std::to_string(ms & 0xFFFF) + "." +
                                    std::to_string(ls >> 16) + "." + std::to_string(ls & 0xFFFF);
        std::printf("fixed file version: %s\n", numbers.c_str());
        if (numbers != fileVersion)
            Fail("fixed file version " + numbers + ", expected " + fileVersion);
    }

    const Node* strings = Child(*root, "StringFileInfo");
    const Node* table = strings ? Child(*strings, "080404b0") : nullptr;
    if (!table) {
        Fail("no string table \"080404b0\" (Chinese PRC, Unicode)");
    } else {
        for (const Node& s : table->children)
            std::printf("string: %s = %s\n", s.key.c_str(), Text(s).c_str());
        for (const auto& [key, value] : expected) {
            const Node* s = Child(*table, key);
            if (!s)
                Fail("no " + key + " in the string table");
            else if (s->type != 1 || Text(*s) != value)
                Fail(key + " is \"" + Text(*s) + "\", expected \"" + value + "\"");
        }
    }

    const Node* vars = Child(*root, "VarFileInfo");
    const Node* translation = vars ? Child(*vars, "Translation") : nullptr;
    if (!translation || translation->value.size() != 4 || Word(translation->value, 0) != 0x0804 ||
        Word(translation->value, 2) != 1200) {
        Fail("Translation is not 0x0804, 1200");
    } else {
        std::printf("translation: 0x%04x, %u\n", Word(translation->value, 0), Word(translation->value, 2));
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4 || std::string(argv[2]) != "--file-version") {
        std::fprintf(stderr, "usage: %s FILE.res --file-version A.B.C.D Key=Value...\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 2;
    }
    const std::vector<std::uint8_t> file{std::istreambuf_iterator<char>(in),
                                         std::istreambuf_iterator<char>()};
    std::map<std::string, std::string> expected;
    for (int i = 4; i < argc; ++i) {
        const std::string pair = argv[i];
        const auto eq = pair.find('=');
        if (eq == std::string::npos) {
            std::fprintf(stderr, "not Key=Value: %s\n", argv[i]);
            return 2;
        }
        expected[pair.substr(0, eq)] = pair.substr(eq + 1);
    }

    const auto resources = ReadResources(file);
    CheckIcons(resources);
    CheckVersion(resources, argv[3], expected);
    return failures == 0 ? 0 : 1;
}
