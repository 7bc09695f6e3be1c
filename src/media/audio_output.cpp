#include "audio_output.h"

#include "gui_thread.h"
#include "recorder_frame.h"

#include <QAudioDeviceInfo>
#include <QAudioOutput>

#include <cstring>

namespace korvane::media {

bool G711Decoder::open(uint8_t codec)
{
    context_.reset();
    codec_ = 0;
    const AVCodec *decoder = avcodec_find_decoder(codec == kAudioUlaw ? AV_CODEC_ID_PCM_MULAW : AV_CODEC_ID_PCM_ALAW);
    if (!decoder) return false;
    AvPtr<AVCodecContext> context(avcodec_alloc_context3(decoder));
    if (!context) return false;
    context->sample_rate = kAudioSampleRate;
    av_channel_layout_default(&context->ch_layout, 1);
    if (avcodec_open2(context.get(), decoder, nullptr) < 0) return false;
    context_ = std::move(context);
    codec_ = codec;
    return true;
}

QByteArray G711Decoder::decode(uint8_t codec, const uint8_t *data, size_t size)
{
    if (codec != kAudioAlaw && codec != kAudioUlaw) return {};
    if (size == 0 || size > INT32_MAX || !packet_ || !frame_) return {};
    if ((codec != codec_ || !context_) && !open(codec)) return {};
    if (av_new_packet(packet_.get(), int(size)) < 0) return {};
    memcpy(packet_->data, data, size);
    const int sent = avcodec_send_packet(context_.get(), packet_.get());
    av_packet_unref(packet_.get());
    QByteArray pcm;
    while (sent >= 0 && avcodec_receive_frame(context_.get(), frame_.get()) == 0) {
        if (frame_->format == AV_SAMPLE_FMT_S16)
            pcm.append(reinterpret_cast<const char *>(frame_->data[0]), frame_->nb_samples * 2);
        av_frame_unref(frame_.get());
    }
    return pcm;
}

struct AudioSink::Device {
    std::unique_ptr<QAudioOutput> output; // application thread only
    QIODevice *stream = nullptr;
    bool tried = false;

    void open()
    {
        tried = true;
        const QAudioDeviceInfo info = QAudioDeviceInfo::defaultOutputDevice();
        if (info.isNull()) return;
        QAudioFormat format;
        format.setSampleRate(kAudioSampleRate);
        format.setChannelCount(1);
        format.setSampleSize(16);
        format.setCodec("audio/pcm");
        format.setByteOrder(QAudioFormat::LittleEndian);
        format.setSampleType(QAudioFormat::SignedInt);
        if (!info.isFormatSupported(format)) return;
        output = std::make_unique<QAudioOutput>(info, format);
        stream = output->start();
        if (!stream) output.reset();
    }
};

AudioSink::AudioSink() : device_(std::make_shared<Device>()) {}

// The device is released on the application thread, where it was made.
AudioSink::~AudioSink()
{
    onGuiThread([device = device_] {
        if (device->output) device->output->stop();
        device->output.reset();
    });
}

void AudioSink::write(const QByteArray &pcm)
{
    onGuiThread([device = device_, pcm] {
        if (!device->tried) device->open();
        if (device->stream) device->stream->write(pcm);
    });
}

} // namespace korvane::media
