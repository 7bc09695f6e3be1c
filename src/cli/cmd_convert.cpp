// korvane-cli convert: a raw recording into an MP4 file through the media library.
#include "cli_commands.h"
#include "cli_options.h"

#include "tnetsdk.h"

#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>

namespace {

struct ConvertState {
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
    int result = 0; // 100 complete, negative failed
    std::string why;
};

int onMessage(int, int id, int value, int, int, const char *text, void *, int64_t, int, void *user, void *)
{
    auto *state = static_cast<ConvertState *>(user);
    if (id == EUIMSG_COVERT_FILE_PROCESS) fprintf(stderr, "\rconverting: %3d%%", value);
    if (id == EUIMSG_COVERT_FILE_PROCESS && value < 100) return 0;
    if (id != EUIMSG_COVERT_FILE_PROCESS && id != EUIMSG_COVERT_FILE_RESULT) return 0;
    std::lock_guard<std::mutex> lock(state->mutex);
    state->result = value;
    if (id == EUIMSG_COVERT_FILE_RESULT && text) state->why = text;
    state->done = true;
    state->ended.notify_all();
    return 0;
}

} // namespace

int runConvert(const CliOptions &options)
{
    ConvertState state;
    TSDK_CALLBACK_INFO callback = {0, onMessage, &state};
    const int32_t handle =
        TPLAY_StartConvertFile(&callback, options.args[0].c_str(), options.args[1].c_str(), "");
    if (handle <= 0) {
        fprintf(stderr, "cannot start the conversion (%d)\n", handle);
        return 1;
    }
    std::unique_lock<std::mutex> lock(state.mutex);
    state.ended.wait(lock, [&] { return state.done; });
    lock.unlock();
    TPLAY_CancelConvertFile(handle); // joins the finished conversion thread; a complete file stays
    if (state.result == 100) {
        fprintf(stderr, "\n");
        return 0;
    }
    fprintf(stderr, "\nconversion failed (%d)%s%s\n", state.result, state.why.empty() ? "" : ": ", state.why.c_str());
    return 1;
}
