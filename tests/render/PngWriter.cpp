#include "PngWriter.h"

#include <cstdio>

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc) {
    static uint32_t table[256];
    static bool ready = false;
    if (!ready) {
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
        ready = true;
    }
    crc = ~crc;
    for (size_t i = 0; i < size; ++i)
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

// Deflate packs bits from the least significant end of each byte.
class BitWriter {
public:
    void Bits(uint32_t value, int count) {
        for (int i = 0; i < count; ++i) {
            if (used == 0)
                out.push_back(0);
            out.back() |= static_cast<uint8_t>(((value >> i) & 1u) << used);
            used = (used + 1) % 8;
        }
    }
    // Huffman codes go most significant bit first.
    void Code(uint32_t code, int length) {
        for (int i = length - 1; i >= 0; --i)
            Bits((code >> i) & 1u, 1);
    }
    std::vector<uint8_t> out;

private:
    int used = 0;
};

static void Literal(BitWriter& bits, int symbol) {
    if (symbol < 144) {
        bits.Code(0x30 + symbol, 8);
    } else if (symbol < 256) {
        bits.Code(0x190 + symbol - 144, 9);
    } else if (symbol < 280) {
        bits.Code(symbol - 256, 7);
    } else {
        bits.Code(0xC0 + symbol - 280, 8);
    }
}

// A repeat of the previous byte, `length` 3..258 times: a length code and distance 1.
static void Repeat(BitWriter& bits, int length) {
    static const int base[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                 31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
    static const int extra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                  2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
    int code = 28;
    while (base[code] > length)
        --code;
    Literal(bits, 257 + code);
    bits.Bits(static_cast<uint32_t>(length - base[code]), extra[code]);
    bits.Code(0, 5);
}

std::vector<uint8_t> ZlibCompress(const std::vector<uint8_t>& data) {
    BitWriter bits;
    bits.out = {0x78, 0x01};
    bits.Bits(1, 1);  // the last block
    bits.Bits(1, 2);  // fixed codes
    size_t i = 0;
    while (i < data.size()) {
        Literal(bits, data[i]);
        size_t run = 0;
        while (i + 1 + run < data.size() && run < 258 && data[i + 1 + run] == data[i])
            ++run;
        if (run >= 3) {
            Repeat(bits, static_cast<int>(run));
            i += run;
        }
        ++i;
    }
    Literal(bits, 256);

    uint32_t a = 1, b = 0;
    for (uint8_t byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    const uint32_t adler = (b << 16) | a;
    for (int shift = 24; shift >= 0; shift -= 8)
        bits.out.push_back((adler >> shift) & 0xFF);
    return bits.out;
}

static void BigEndian(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back((value >> shift) & 0xFF);
}

static void Chunk(std::vector<uint8_t>& file, const char* type, const std::vector<uint8_t>& data) {
    BigEndian(file, static_cast<uint32_t>(data.size()));
    std::vector<uint8_t> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    file.insert(file.end(), body.begin(), body.end());
    BigEndian(file, Crc32(body.data(), body.size()));
}

bool WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb) {
    if (width <= 0 || height <= 0 || rgb.size() != static_cast<size_t>(width) * height * 3) {
        return false;
    }
    // Every row with the "difference to the left" filter, so flat colour becomes runs of 0.
    const size_t stride = static_cast<size_t>(width) * 3;
    std::vector<uint8_t> raw;
    raw.reserve((stride + 1) * height);
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = &rgb[y * stride];
        raw.push_back(1);
        for (size_t i = 0; i < stride; ++i) {
            raw.push_back(static_cast<uint8_t>(row[i] - (i >= 3 ? row[i - 3] : 0)));
        }
    }

    std::vector<uint8_t> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    BigEndian(header, static_cast<uint32_t>(width));
    BigEndian(header, static_cast<uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, filters, no interlace
    Chunk(file, "IHDR", header);
    Chunk(file, "IDAT", ZlibCompress(raw));
    Chunk(file, "IEND", {});

    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr)
        return false;
    const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    return std::fclose(out) == 0 && written;
}
