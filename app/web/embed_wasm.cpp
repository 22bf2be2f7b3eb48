// Writes the wasm and its tables as a script, for a page opened from disk:
// such a page may load scripts beside it but fetch nothing, not even the
// files there.
//
//   embed_wasm INPUT.wasm OUTPUT.js TABLES.bin...
//       (defines VelluminoWasm, in base64, and VelluminoTables, each tables
//       file in base64 in the order given, which is the page's)
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::string Base64(const std::string& bytes)
{
    static constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string encoded;
    encoded.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t left = bytes.size() - i;
        const auto byte = [&](std::size_t at) { return at < left ? static_cast<unsigned char>(bytes[i + at]) : 0u; };
        const unsigned group = byte(0) << 16 | byte(1) << 8 | byte(2);
        encoded += kDigits[group >> 18 & 63];
        encoded += kDigits[group >> 12 & 63];
        encoded += left > 1 ? kDigits[group >> 6 & 63] : '=';
        encoded += left > 2 ? kDigits[group & 63] : '=';
    }
    return encoded;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc < 4) {
        std::cerr << "usage: " << argv[0] << " INPUT.wasm OUTPUT.js TABLES.bin...\n";
        return 2;
    }
    std::vector<std::string> encoded;
    for (int i = 1; i < argc; ++i) {
        if (i == 2)
            continue;
        std::ifstream in(argv[i], std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        if (!in || bytes.empty()) {
            std::cerr << argv[i] << ": cannot read\n";
            return 1;
        }
        encoded.push_back(Base64(bytes));
    }
    std::ofstream out(argv[2], std::ios::binary);
    out << "var VelluminoWasm = \"" << encoded[0] << "\";\n";
    out << "var VelluminoTables = [";
    for (std::size_t i = 1; i < encoded.size(); ++i)
        out << (i > 1 ? ", \"" : "\"") << encoded[i] << '"';
    out << "];\n";
    out.close();
    return out ? 0 : 1;
}
