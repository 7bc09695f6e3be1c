// Scenario files for wfs-mkdisk. Every key is optional unless marked; times are
// "YYYY-MM-DD HH:MM:SS" without a time zone.
//
// {
//   "seed": 1,                        pseudo-random payloads and the vehicle's route
//   "payloads": "placeholder",        or "real": H.264/H.265 video of each channel's clock,
//                                     G.711 tones, one information frame (GPS, G-sensor,
//                                     status, speed) per second, JPEG pictures; real video
//                                     needs width and height in multiples of 8, at least 64,
//                                     at most 3840x2160 (placeholders: 2040 each), and ignores
//                                     bytes_per_second
//   "version": "WFS0.4",              or "WFS0.3"
//   "mbr_start": 0,                   sector of the volume behind an MBR; 0 = no MBR
//   "key_param_offset": [0,0,0,0],
//   "sectors_per_cluster": 8,
//   "unclean_stop": false,            recordings still running at the end stay open
//   "first_repeat_no": 0,
//   "partitions": [                   required, 1 to 4
//     { "clusters": 4096,             required
//       "type": 0,                    driver type: 0 normal, 4 picture
//       "rev_clus": 0, "ud_items": 1024, "ext_dir": false,
//       "dir_offset": 0, "collision_off": 0, "status": 170,  0 = automatic; status defaults to
//                                                              0xAA, or 0 with an open recording
//       "head_saved_at": "..." }      the parameters were last saved then: the write head
//   ],                                they hold lags behind what was written later
//   "clock_jumps": [ { "at": "2024-03-05 12:00:00", "back_seconds": 3600 } ],
//   "recordings": [
//     { "channel": 0, "start": "...", "end": "...",           required
//       "av": 2, "stream_type": 0, "alarm": 0, "attr": 0, "locked": false,
//       "partition": -1,              -1: the work partition of type 0 (video) or 4 (pictures)
//       "bytes_per_second": 8192, "fps": 25, "codec": "h264" (or "h265"),
//       "width": 352, "height": 288, "audio": false,
//       "dhii_sectors": 0, "head_sectors_in_dir": true,
//       "card": "12345678901234567890", "card_kind": 1,
//       "first_dir_flag": 2, "ext_code0": 63, "ext_code1": 0, "ext_events": 0,
//       "full_last_cluster": false }  the last cluster padded to its end, its end_length 0
//   ],
//   "patches": [ { "block": 24, "offset": 328, "hex": "00000000", "image_relative": false } ],
//   "truncate_blocks": 100000        cut the image to this many sectors
// }
//
// Recording times are real times. From a clock jump on, the recorder's clock, and
// so every time it writes, runs back_seconds behind them.

#include "scenario_json.h"

#include <json/json.h>

#include <fstream>
#include <limits>
#include <set>
#include <sstream>

namespace korvane::sim {

namespace {

class Reader
{
public:
    explicit Reader(std::string &error) : error_(error) {}

    bool fail(const std::string &where, const std::string &what)
    {
        if (error_.empty())
            error_ = where + ": " + what;
        return false;
    }

    bool checkKeys(const Json::Value &v, const std::string &where, const std::set<std::string> &known)
    {
        if (!v.isObject())
            return fail(where, "expected an object");
        for (const std::string &name : v.getMemberNames())
            if (!known.count(name))
                return fail(where, "unknown key \"" + name + "\"");
        return true;
    }

    template <typename T>
    bool number(const Json::Value &v, const char *key, const std::string &where, T &out)
    {
        if (!v.isMember(key))
            return true;
        const Json::Value &x = v[key];
        if (!x.isIntegral())
            return fail(where + "." + key, "expected an integer");
        if (x.isInt64()) {
            const Json::Int64 n = x.asInt64();
            if (n < 0 ? n < Json::Int64(std::numeric_limits<T>::min())
                      : uint64_t(n) > uint64_t(std::numeric_limits<T>::max()))
                return fail(where + "." + key, "out of range");
            out = T(n);
            return true;
        }
        const Json::UInt64 n = x.asUInt64();
        if (n > uint64_t(std::numeric_limits<T>::max()))
            return fail(where + "." + key, "out of range");
        out = T(n);
        return true;
    }

    bool flag(const Json::Value &v, const char *key, const std::string &where, bool &out)
    {
        if (!v.isMember(key))
            return true;
        if (!v[key].isBool())
            return fail(where + "." + key, "expected true or false");
        out = v[key].asBool();
        return true;
    }

    bool text(const Json::Value &v, const char *key, const std::string &where, std::string &out)
    {
        if (!v.isMember(key))
            return true;
        if (!v[key].isString())
            return fail(where + "." + key, "expected a string");
        out = v[key].asString();
        return true;
    }

    bool time(const Json::Value &v, const char *key, const std::string &where, Seconds &out)
    {
        std::string s;
        if (!v.isMember(key))
            return fail(where + "." + key, "missing");
        if (!text(v, key, where, s))
            return false;
        return parseTime(s, out) || fail(where + "." + key, "expected \"YYYY-MM-DD HH:MM:SS\"");
    }

    bool hex(const Json::Value &v, const std::string &where, std::vector<uint8_t> &out)
    {
        std::string s;
        if (!text(v, "hex", where, s))
            return false;
        if (s.size() % 2)
            return fail(where + ".hex", "odd number of digits");
        for (size_t i = 0; i < s.size(); i += 2) {
            const std::string byte = s.substr(i, 2);
            if (byte.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
                return fail(where + ".hex", "not hexadecimal");
            out.push_back(uint8_t(std::stoul(byte, nullptr, 16)));
        }
        return true;
    }

    bool partition(const Json::Value &v, const std::string &where, PartitionSpec &p)
    {
        static const std::set<std::string> keys = {"clusters",   "type",          "rev_clus", "ud_items", "ext_dir",
                                                   "dir_offset", "collision_off", "status", "head_saved_at"};
        if (!checkKeys(v, where, keys))
            return false;
        if (!v.isMember("clusters"))
            return fail(where + ".clusters", "missing");
        uint32_t status = 0;
        const bool ok = number(v, "clusters", where, p.clusters) && number(v, "type", where, p.driverType) &&
                        number(v, "rev_clus", where, p.revClus) && number(v, "ud_items", where, p.udItems) &&
                        flag(v, "ext_dir", where, p.extDir) && number(v, "dir_offset", where, p.dirOffset) &&
                        number(v, "collision_off", where, p.collisionOff) && number(v, "status", where, status);
        if (ok && v.isMember("status"))
            p.status = status;
        if (!ok || !v.isMember("head_saved_at"))
            return ok;
        Seconds savedAt = 0;
        if (!time(v, "head_saved_at", where, savedAt))
            return false;
        p.headSavedAt = savedAt;
        return true;
    }

    bool codec(const Json::Value &v, const std::string &where, uint8_t &out)
    {
        std::string name;
        if (!text(v, "codec", where, name))
            return false;
        if (name.empty() || name == "h264")
            out = 2;
        else if (name == "h265")
            out = 3;
        else
            return fail(where + ".codec", "expected \"h264\" or \"h265\"");
        return true;
    }

    bool payloads(const Json::Value &v, PayloadKind &out)
    {
        std::string name;
        if (!text(v, "payloads", "scenario", name))
            return false;
        if (name.empty() || name == "placeholder")
            out = PayloadKind::Placeholder;
        else if (name == "real")
            out = PayloadKind::Real;
        else
            return fail("scenario.payloads", "expected \"placeholder\" or \"real\"");
        return true;
    }

    bool recordingDetails(const Json::Value &v, const std::string &where, RecordingSpec &r)
    {
        return number(v, "bytes_per_second", where, r.bytesPerSecond) && number(v, "fps", where, r.fps) &&
               codec(v, where, r.codec) && number(v, "width", where, r.width) && number(v, "height", where, r.height) &&
               flag(v, "audio", where, r.audio) && number(v, "dhii_sectors", where, r.dhiiSectors) &&
               flag(v, "head_sectors_in_dir", where, r.headSectorsInDir) && text(v, "card", where, r.card) &&
               number(v, "card_kind", where, r.cardKind) && number(v, "first_dir_flag", where, r.firstDirFlag) &&
               number(v, "ext_code0", where, r.extCode0) && number(v, "ext_code1", where, r.extCode1) &&
               number(v, "ext_events", where, r.extEvents) && flag(v, "full_last_cluster", where, r.fullLastCluster);
    }

    bool recording(const Json::Value &v, const std::string &where, RecordingSpec &r)
    {
        static const std::set<std::string> keys = {
            "channel", "start",        "end",   "av",     "stream_type", "alarm",        "attr",
            "locked",  "partition",    "fps",   "codec",  "width",       "height",       "audio",
            "card",    "dhii_sectors", "head_sectors_in_dir", "bytes_per_second", "card_kind",
            "first_dir_flag", "ext_code0", "ext_code1", "ext_events", "full_last_cluster"};
        if (!checkKeys(v, where, keys))
            return false;
        if (!v.isMember("channel"))
            return fail(where + ".channel", "missing");
        return number(v, "channel", where, r.channel) && time(v, "start", where, r.start) &&
               time(v, "end", where, r.end) && number(v, "av", where, r.av) &&
               number(v, "stream_type", where, r.streamType) && number(v, "alarm", where, r.alarm) &&
               number(v, "attr", where, r.attr) && flag(v, "locked", where, r.locked) &&
               number(v, "partition", where, r.partition) && recordingDetails(v, where, r);
    }

    bool clockJump(const Json::Value &v, const std::string &where, ClockJump &j)
    {
        return checkKeys(v, where, {"at", "back_seconds"}) && time(v, "at", where, j.at) &&
               number(v, "back_seconds", where, j.backSeconds);
    }

    bool patch(const Json::Value &v, const std::string &where, Patch &p)
    {
        return checkKeys(v, where, {"block", "offset", "hex", "image_relative"}) &&
               number(v, "block", where, p.block) && number(v, "offset", where, p.offset) && hex(v, where, p.bytes) &&
               flag(v, "image_relative", where, p.imageRelative);
    }

    template <typename T, typename F>
    bool list(const Json::Value &root, const char *key, std::vector<T> &out, F parseOne)
    {
        if (!root.isMember(key))
            return true;
        if (!root[key].isArray())
            return fail(key, "expected an array");
        for (Json::ArrayIndex i = 0; i < root[key].size(); ++i) {
            out.emplace_back();
            if (!(this->*parseOne)(root[key][i], std::string(key) + "[" + std::to_string(i) + "]", out.back()))
                return false;
        }
        return true;
    }

    bool keyParamOffsets(const Json::Value &root, Scenario &s)
    {
        if (!root.isMember("key_param_offset"))
            return true;
        const Json::Value &v = root["key_param_offset"];
        if (!v.isArray() || v.size() > 4)
            return fail("key_param_offset", "expected up to four integers");
        for (Json::ArrayIndex i = 0; i < v.size(); ++i) {
            if (!v[i].isUInt())
                return fail("key_param_offset", "expected up to four integers");
            s.keyParamOffset[i] = v[i].asUInt();
        }
        return true;
    }

    bool scenario(const Json::Value &root, Scenario &s)
    {
        static const std::set<std::string> keys = {
            "seed",       "version",     "mbr_start",  "key_param_offset", "sectors_per_cluster", "unclean_stop",
            "partitions", "clock_jumps", "recordings", "patches",          "truncate_blocks",     "first_repeat_no",
            "payloads"};
        uint64_t truncate = 0;
        const bool ok = checkKeys(root, "scenario", keys) && number(root, "seed", "scenario", s.seed) && payloads(root, s.payloads) &&
                        text(root, "version", "scenario", s.version) &&
                        number(root, "mbr_start", "scenario", s.mbrStart) && keyParamOffsets(root, s) &&
                        number(root, "sectors_per_cluster", "scenario", s.sectorsPerCluster) &&
                        flag(root, "unclean_stop", "scenario", s.uncleanStop) &&
                        number(root, "first_repeat_no", "scenario", s.firstRepeatNo) &&
                        number(root, "truncate_blocks", "scenario", truncate) &&
                        list(root, "partitions", s.partitions, &Reader::partition) &&
                        list(root, "clock_jumps", s.clockJumps, &Reader::clockJump) &&
                        list(root, "recordings", s.recordings, &Reader::recording) &&
                        list(root, "patches", s.patches, &Reader::patch);
        if (ok && root.isMember("truncate_blocks"))
            s.truncateBlocks = truncate;
        return ok;
    }

private:
    std::string &error_;
};

} // namespace

bool parseScenarioJson(const std::string &text, Scenario &out, std::string &error)
{
    error.clear();
    Json::CharReaderBuilder builder;
    builder["failIfExtra"] = true;
    builder["rejectDupKeys"] = true;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value root;
    std::string parseErrors;
    if (!reader->parse(text.data(), text.data() + text.size(), &root, &parseErrors)) {
        error = "invalid JSON: " + parseErrors;
        return false;
    }
    out = Scenario{};
    Reader r(error);
    try {
        return r.scenario(root, out);
    } catch (const std::exception &e) {
        error = std::string("invalid scenario: ") + e.what();
        return false;
    }
}

bool loadScenarioFile(const std::string &path, Scenario &out, std::string &error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": cannot open";
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (!parseScenarioJson(text.str(), out, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

} // namespace korvane::sim
