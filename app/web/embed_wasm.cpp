// Writes the wasm as a script, for a page opened from disk: such a page may
// load scripts beside it but fetch nothing, not even the wasm file there.
//
//   embed_wasm INPUT.wasm OUTPUT.js     (defines VelluminoWasm, in base64)
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::cerr << "usage: " << argv[0] << " INPUT.wasm OUTPUT.js\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in || bytes.empty()) {
        std::cerr << argv[1] << ": cannot read\n";
        return 1;
    }
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
    std::ofstream out(argv[2], std::ios::binary);
    out << "var VelluminoWasm = \"" << encoded << "\";\n";
    out.close();
    return out ? 0 : 1;
}
