// Fuzz target: reading the map key and security code out of a map page.
#include "common/cglobalappdata.h"

#include <QString>

#include <cstdio>
#include <string>
#include <unistd.h>

namespace
{
std::string scratchFile()
{
    const char *dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return std::string(dir) + "/korvane-fuzz-map-" + std::to_string(getpid()) + ".html";
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const std::string path = scratchFile();
    if (size == 0) return 0;
    FILE *file = fopen(path.c_str(), "wb");
    if (!file) return 0;
    fwrite(data + 1, 1, size - 1, file);
    fclose(file);
    QString key, securityCode;
    CGlobalAppData::readMapKey(QString::fromStdString(path), data[0] % 3, key, securityCode);
    if (key.size() > int(size) || securityCode.size() > int(size)) __builtin_trap();
    remove(path.c_str());
    return 0;
}
