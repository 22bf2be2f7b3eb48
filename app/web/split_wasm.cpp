// Takes the commands' tables out of the core, so that the page is ready for
// input once the code and the small tables have arrived: the large ones are
// fetched beside it, each set when a command first needs it, and copied into
// the core's memory, at the addresses the linker gave them, before a command
// that reads them runs.
//
//   split_wasm IN.wasm LINK.map OUT.wasm SECTION=OUT.bin...
//
// LINK.map is wasm-ld's --print-map. What moves is each output segment
// named (vellumino_tables_traditional..., styling/table_section.h): names
// the core itself links against, so that a rename breaks the link rather
// than the page. Each OUT.bin is a header, then pieces of
// [address u32][length u32][bytes], all little-endian; the build then gzips
// it, and the page inflates it itself. The header:
//
//   "VLMT" [version u32 = 2] [the set's place u32] [length of the pieces u32] [their hash u32]
//
// A set's place is its place in the arguments, which is its place in the
// core's list (app/web/main.cpp); the same length and hash go into the
// core's seal at that place, so that the page refuses a file cut from
// another core, or another set's file, before writing a byte. The hash is
// 32-bit FNV-1a: it tells a stale or damaged file from the right one, which
// is all it is for.

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <cstdlib>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using Bytes = std::string;

// The tools are built without C++ exceptions, as the page is.
[[noreturn]] void Fail(const std::string& message)
{
    std::cerr << "split_wasm: " << message << '\n';
    std::exit(1);
}
using Range = std::pair<std::size_t, std::size_t>;  // [first, second)

struct Reader {
    const Bytes& bytes;
    std::size_t at = 0;

    bool more() const { return at < bytes.size(); }
    std::uint8_t byte()
    {
        if (at >= bytes.size())
            Fail("the wasm ends early");
        return static_cast<std::uint8_t>(bytes[at++]);
    }
    std::size_t unsignedLeb()
    {
        std::uint64_t value = 0;
        for (unsigned shift = 0;; shift += 7) {
            const std::uint8_t b = byte();
            value |= std::uint64_t{b & 0x7Fu} << shift;
            if (!(b & 0x80))
                return static_cast<std::size_t>(value);
        }
    }
    std::int64_t signedLeb()
    {
        std::int64_t value = 0;
        unsigned shift = 0;
        std::uint8_t b;
        do {
            b = byte();
            value |= std::int64_t{b & 0x7F} << shift;
            shift += 7;
        } while (b & 0x80);
        if (shift < 64 && (b & 0x40))
            value |= -(std::int64_t{1} << shift);
        return value;
    }
};

void PutLeb(Bytes& out, std::uint64_t value)
{
    do {
        std::uint8_t b = value & 0x7F;
        value >>= 7;
        out += static_cast<char>(value ? b | 0x80 : b);
    } while (value);
}

void PutSignedLeb(Bytes& out, std::int64_t value)
{
    for (;;) {
        const std::uint8_t b = value & 0x7F;
        value >>= 7;
        const bool done = (value == 0 && !(b & 0x40)) || (value == -1 && (b & 0x40));
        out += static_cast<char>(done ? b : b | 0x80);
        if (done)
            return;
    }
}

void PutU32(Bytes& out, std::uint64_t value)
{
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>(value >> (8 * i) & 0xFF);
}

struct Segment {
    std::size_t address;
    Bytes bytes;
};

// The map's lines: "ADDR OFF SIZE name" for an output segment, in hex, then
// its inputs and their symbols. The segment goes whole: pieces cut at its
// symbols would only add their headers, since gzip finds the same repeats.
std::vector<Range> RangesOf(std::istream& map, const std::string& segment)
{
    for (std::string line; std::getline(map, line);) {
        std::istringstream fields(line);
        std::size_t address = 0, offset = 0, size = 0;
        std::string name, rest;
        if (!(fields >> std::hex >> address >> offset >> size >> name))
            continue;
        if (name == segment && !(fields >> rest) && size > 0)
            return {{address, address + size}};
    }
    return {};
}

std::uint32_t Fnv1a(const Bytes& bytes)
{
    std::uint32_t hash = 2166136261u;
    for (const char c : bytes)
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return hash;
}

// Writes each set's length and hash after the seal's name, at the set's
// place, where the core left placeholders; the one place that holds them,
// or the split fails.
void Seal(std::vector<Segment>& segments, const std::vector<Bytes>& sets)
{
    Bytes name("Vellumino tables", 16);
    name.append(8 * sets.size(), '\xFF');
    Segment* found = nullptr;
    std::size_t at = 0;
    for (Segment& segment : segments) {
        for (std::size_t i = segment.bytes.find(name); i != Bytes::npos; i = segment.bytes.find(name, i + 1)) {
            if (found)
                Fail("the core holds its seal twice");
            found = &segment;
            at = i;
        }
    }
    if (!found)
        Fail("the core holds no seal with a place for each set (app/web/main.cpp)");
    Bytes values;
    for (const Bytes& pieces : sets) {
        PutU32(values, pieces.size());
        PutU32(values, Fnv1a(pieces));
    }
    found->bytes.replace(at + 16, values.size(), values);
}

// The order-0 entropy of a run of 16-bit units, in bits: a stand-in for
// what gzip will make of them.
void PutPiece(Bytes& out, std::size_t address, const Bytes& bytes)
{
    PutU32(out, address);
    PutU32(out, bytes.size());
    out += bytes;
}

// The data section with every set's ranges cut out of its segments, and
// each set's file.
std::pair<Bytes, std::vector<Bytes>> Split(const Bytes& section, const std::vector<std::vector<Range>>& sets,
                                           std::size_t& count)
{
    // All the ranges in address order, each with its set.
    std::vector<Range> ranges;
    std::vector<std::size_t> setOf;
    {
        std::vector<std::pair<Range, std::size_t>> all;
        for (std::size_t set = 0; set < sets.size(); ++set) {
            for (const Range& r : sets[set])
                all.emplace_back(r, set);
        }
        std::sort(all.begin(), all.end());
        for (std::size_t i = 0; i < all.size(); ++i) {
            if (i > 0 && all[i].first.first < all[i - 1].first.second)
                Fail("two sets of tables overlap");
            ranges.push_back(all[i].first);
            setOf.push_back(all[i].second);
        }
    }
    Reader in{section};
    const std::size_t segments = in.unsignedLeb();
    std::vector<Segment> kept;
    // Each range whole, zeros where no segment wrote (the optimizer leaves
    // runs of zeros out of the segments): one piece each, not thousands.
    std::vector<Bytes> cut;
    for (const Range& r : ranges)
        cut.emplace_back(r.second - r.first, '\0');
    for (std::size_t s = 0; s < segments; ++s) {
        // Only memory 0's active segments at a constant address, as wasm-ld writes them.
        if (in.unsignedLeb() != 0 || in.byte() != 0x41)
            Fail("a data segment of another kind");
        const auto address = static_cast<std::size_t>(static_cast<std::uint32_t>(in.signedLeb()));
        if (in.byte() != 0x0B)
            Fail("a data segment's address is not a constant");
        const std::size_t length = in.unsignedLeb();
        if (length > section.size() - in.at)
            Fail("a data segment runs past its section");
        const Bytes bytes = section.substr(in.at, length);
        in.at += length;
        std::size_t from = address;
        const std::size_t end = address + length;
        for (std::size_t i = 0; i < ranges.size(); ++i) {
            const Range& r = ranges[i];
            const std::size_t cutFrom = std::max(r.first, from), cutTo = std::min(r.second, end);
            if (cutFrom >= cutTo)
                continue;
            if (cutFrom > from)
                kept.push_back({from, bytes.substr(from - address, cutFrom - from)});
            cut[i].replace(cutFrom - r.first, cutTo - cutFrom, bytes, cutFrom - address, cutTo - cutFrom);
            from = cutTo;
        }
        if (from < end)
            kept.push_back({from, bytes.substr(from - address)});
    }
    if (in.more())
        Fail("bytes after the last data segment");
    // Long runs of zeros stay out, for a host that does not compress.
    constexpr std::size_t kLongZeros = 32;
    std::vector<Bytes> taken(sets.size());
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        const Bytes& bytes = cut[i];
        for (std::size_t start = bytes.find_first_not_of('\0'); start != Bytes::npos;) {
            std::size_t end = start;
            for (;;) {
                const std::size_t zeros = bytes.find('\0', end);
                if (zeros == Bytes::npos) {
                    end = bytes.size();
                    break;
                }
                const std::size_t next = bytes.find_first_not_of('\0', zeros);
                if (next == Bytes::npos || next - zeros >= kLongZeros) {
                    end = zeros;
                    break;
                }
                end = next;
            }
            // Even ends, so that a piece of 16-bit units stays whole.
            start &= ~std::size_t{1};
            end = std::min(bytes.size(), (end + 1) & ~std::size_t{1});
            PutPiece(taken[setOf[i]], ranges[i].first + start, bytes.substr(start, end - start));
            start = bytes.find_first_not_of('\0', end);
        }
    }
    Seal(kept, taken);
    for (std::size_t set = 0; set < taken.size(); ++set) {
        if (taken[set].empty())
            Fail("a set of tables has no bytes in the wasm's data");
        Bytes header("VLMT", 4);
        PutU32(header, 2);
        PutU32(header, set);
        PutU32(header, taken[set].size());
        PutU32(header, Fnv1a(taken[set]));
        taken[set].insert(0, header);
    }
    Bytes out;
    PutLeb(out, kept.size());
    for (const Segment& segment : kept) {
        out += '\0';
        out += '\x41';
        PutSignedLeb(out, static_cast<std::int32_t>(segment.address));
        out += '\x0B';
        PutLeb(out, segment.bytes.size());
        out += segment.bytes;
    }
    count = kept.size();
    return {out, taken};
}

Bytes ReadAll(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    Bytes bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in)
        Fail(std::string(path) + ": cannot read");
    return bytes;
}

void WriteAll(const char* path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    out.close();
    if (!out)
        Fail(std::string(path) + ": cannot write");
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc < 5) {
        std::cerr << "usage: " << argv[0] << " IN.wasm LINK.map OUT.wasm SECTION=OUT.bin...\n";
        return 2;
    }
    {
        const Bytes wasm = ReadAll(argv[1]);
        std::vector<std::vector<Range>> sets;
        std::vector<const char*> outputs;
        for (int arg = 4; arg < argc; ++arg) {
            const std::string pair = argv[arg];
            const std::size_t equals = pair.find('=');
            if (equals == std::string::npos || equals == 0 || equals + 1 == pair.size())
                Fail(pair + ": not SECTION=OUT.bin");
            std::ifstream map(argv[2]);
            if (!map)
                Fail(std::string(argv[2]) + ": cannot read");
            sets.push_back(RangesOf(map, pair.substr(0, equals)));
            if (sets.back().empty())
                Fail("no segment " + pair.substr(0, equals) + " in the link map");
            outputs.push_back(argv[arg] + equals + 1);
        }
        if (wasm.compare(0, 8, Bytes("\0asm\1\0\0\0", 8)) != 0)
            Fail(std::string(argv[1]) + ": not a wasm module");
        Reader in{wasm, 8};
        std::vector<std::pair<std::uint8_t, Bytes>> sections;
        std::vector<Bytes> taken;
        std::size_t count = 0;
        while (in.more()) {
            const std::uint8_t id = in.byte();
            const std::size_t size = in.unsignedLeb();
            if (size > wasm.size() - in.at)
                Fail("a section runs past the end");
            sections.emplace_back(id, wasm.substr(in.at, size));
            in.at += size;
            if (id == 11)
                std::tie(sections.back().second, taken) = Split(sections.back().second, sets, count);
        }
        if (taken.empty())
            Fail("the wasm has no data section");
        Bytes out = wasm.substr(0, 8);
        for (auto& [id, body] : sections) {
            if (id == 12) {  // the data count, which must agree with the segments
                body.clear();
                PutLeb(body, count);
            }
            out += static_cast<char>(id);
            PutLeb(out, body.size());
            out += body;
        }
        WriteAll(argv[3], out);
        for (std::size_t set = 0; set < taken.size(); ++set)
            WriteAll(outputs[set], taken[set]);
    }
    return 0;
}
