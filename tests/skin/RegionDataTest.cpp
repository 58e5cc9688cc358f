#include "skin/RegionData.h"

#include "support/LittleEndian.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace {

using Rect = RegionData::Rect;

// Header (size, type, count, rectangle bytes, bound) and two rectangles.
const std::string valid = Le32s({32, 1, 2, 32, 0, 0, 10, 10, 0, 0, 10, 5, 2, 5, 8, 10});

void SetWord(std::string& bytes, size_t index, std::int64_t value) {
    bytes.replace(index * 4, 4, Le32(value));
}

// What the platform writes, read and written, is the region tool's test.
TEST(RegionData, AcceptsUnknownSizesTrailingBytesAndTheExtremes) {
    ASSERT_TRUE(RegionData(valid).Valid());
    // A size of zero means "unknown"; bytes after the rectangles are not looked at.
    std::string unknownSize = valid;
    SetWord(unknownSize, 3, 0);
    EXPECT_TRUE(RegionData(unknownSize).Valid());
    EXPECT_TRUE(RegionData(valid + "trailing").Valid());

    const std::vector<Rect> extremes = {{-32767, -32767, -32766, 0}, {5, 0, 32767, 32767}};
    const RegionData encoded(RegionData::Encode(extremes));
    ASSERT_TRUE(encoded.Valid()) << encoded.Error();
    EXPECT_EQ(extremes, encoded.Rectangles());
    EXPECT_EQ((Rect{-32767, -32767, 32767, 32767}), encoded.Bound());
}

// A copy of the bytes that ends where a page no one may read begins, so a read past the
// end crashes the test instead of finding some other memory.
class GuardedCopy {
public:
    explicit GuardedCopy(const std::string& bytes) {
        SYSTEM_INFO system;
        GetSystemInfo(&system);
        const size_t page = system.dwPageSize;
        const size_t pages = (bytes.size() + page - 1) / page + 1;
        base = static_cast<char*>(
            VirtualAlloc(nullptr, pages * page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD previous;
        VirtualProtect(base + (pages - 1) * page, page, PAGE_NOACCESS, &previous);
        data = base + (pages - 1) * page - bytes.size();
        bytes.copy(data, bytes.size());
    }
    ~GuardedCopy() { VirtualFree(base, 0, MEM_RELEASE); }
    GuardedCopy(const GuardedCopy&) = delete;
    GuardedCopy& operator=(const GuardedCopy&) = delete;

    const char* Data() const { return data; }

private:
    char* base = nullptr;
    char* data = nullptr;
};

TEST(RegionData, RefusesEveryFaultOfAnOtherwiseValidFile) {
    const struct {
        const char* fault;
        std::function<void(std::string&)> make;
    } cases[] = {
        {"empty file", [](std::string& b) { b.clear(); }},
        {"short header", [](std::string& b) { b.resize(31); }},
        {"header size 40", [](std::string& b) { SetWord(b, 0, 40); }},
        {"header size 0", [](std::string& b) { SetWord(b, 0, 0); }},
        {"type 2", [](std::string& b) { SetWord(b, 1, 2); }},
        {"type 0", [](std::string& b) { SetWord(b, 1, 0); }},
        {"no rectangles", [](std::string& b) { SetWord(b, 2, 0); }},
        {"one rectangle cut off", [](std::string& b) { b.resize(b.size() - 1); }},
        {"count beyond the file", [](std::string& b) { SetWord(b, 2, 3); }},
        {"count times 16 wraps to 32", [](std::string& b) { SetWord(b, 2, 0x10000002); }},
        {"count times 16 wraps to 0", [](std::string& b) { SetWord(b, 2, 0x10000000); }},
        {"largest count", [](std::string& b) { SetWord(b, 2, 0xFFFFFFFF); }},
        {"left = right", [](std::string& b) { SetWord(b, 10, 0); }},
        {"left > right", [](std::string& b) { SetWord(b, 12, 9); }},
        {"top = bottom", [](std::string& b) { SetWord(b, 13, 10); }},
        {"top > bottom", [](std::string& b) { SetWord(b, 9, 6); }},
        {"bound and rectangle beyond the limit",
         [](std::string& b) {
             SetWord(b, 6, 40000);
             SetWord(b, 10, 40000);
         }},
        {"bound and rectangle below the limit",
         [](std::string& b) {
             SetWord(b, 4, -40000);
             SetWord(b, 8, -40000);
         }},
        {"bottom at the most negative number",
         [](std::string& b) {
             SetWord(b, 5, INT32_MIN);
             SetWord(b, 9, INT32_MIN);
         }},
        {"bound beyond the limit", [](std::string& b) { SetWord(b, 7, 0x7FFFFFFF); }},
        {"rectangle outside the bound", [](std::string& b) { SetWord(b, 6, 9); }},
        {"absurdly large",
         [](std::string& b) {
             const size_t count = RegionData::maxRectangles + 1;
             SetWord(b, 2, std::int64_t(count));
             const std::string small = Le32s({0, 0, 1, 1});
             for (size_t i = 2; i < count; i++)
                 b += small;
         }},
    };
    for (const auto& test : cases) {
        std::string bytes = valid;
        test.make(bytes);
        const GuardedCopy copy(bytes);
        const RegionData region(copy.Data(), bytes.size());
        EXPECT_FALSE(region.Valid()) << test.fault;
        EXPECT_FALSE(region.Error().empty()) << test.fault;
        EXPECT_TRUE(region.Rectangles().empty()) << test.fault;
    }
    EXPECT_FALSE(RegionData(nullptr, 32).Valid());
}

} // namespace
