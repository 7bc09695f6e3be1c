// The player tests draw into widgets: an off-screen QApplication for the whole run.
#include <gtest/gtest.h>

#include <QApplication>

extern "C" {
#include <libavutil/log.h>
}

// Read by LeakSanitizer when it starts (LSAN_OPTIONS still wins): leaks inside Qt listed in tests/lsan.supp.
extern "C" const char *__lsan_default_options() { return "print_suppressions=0:suppressions=" KORVANE_LSAN_SUPPRESSIONS_FILE; }

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    av_log_set_level(AV_LOG_FATAL); // the bad-input tests make the decoder complain on purpose
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
