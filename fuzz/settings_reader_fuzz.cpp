// The settings reader on arbitrary file contents, in the system's code page and
// in CP932; what it reads must be what the writer wrote.

#include "fuzz/FuzzCheck.h"
#include "settings/SettingsFile.h"

namespace {

void check(const QByteArray& bytes, const char* encoding) {
    const QString dir = ReadSettingsText(bytes, encoding);
    FUZZ_CHECK(!dir.contains(u'\r') && !dir.contains(u'\n'));
    if (const auto written = SettingsFileBytes(dir, encoding)) {
        FUZZ_CHECK(ReadSettingsText(*written, encoding) == dir);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    check(bytes, nullptr);
    check(bytes, "windows-31j");
    return 0;
}
