// The mixer in the page. Emscripten's SDL_mixer emulation decodes effects and music with Web Audio
// (asynchronously, after the load has returned) and plays each as a buffer source; its audio context
// resumes on the page's first key press, click or touch, as browsers require. What it lacks is
// supplied here: whether the device is open (its Mix_QuerySpec throws), a refusal of files the
// browser cannot decode (its loader accepts anything, and its error text is always the same), and
// one line on standard error when a decode fails after all.
#include "platform/Browser.h"
#include "sound/WaveCheck.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <emscripten.h>
#include <string>

namespace {

struct Device {
    bool open = false;
    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
} device;

std::string refusal;
// Whether the file SoundStream last gave the mixer may go to the emulation's loader. The emulation's
// streams are numbers, not structures a program could read, so the bytes are judged there.
bool decodable = false;

// A file in a format the browser knows can still fail its decode (damaged data): the emulation gives
// the decoder no error handler, so each failure is said here, once, with the file's name.
EM_JS(void, korvel_report_failed_decodes, (), {
    var context = SDL.audioContext;
    if (!context || context.korvelReports)
        return;
    var decode = context.decodeAudioData.bind(context);
    context.decodeAudioData = function(data, done) {
        var name = Module.korvelSoundLoading;
        var result = decode(
            data, done, function() { err(name + ': the browser could not decode it'); });
        if (result && result.catch)
            result.catch(function(){});
        return result;
    };
    context.korvelReports = true;
});

EM_JS(int, korvel_can_play, (const char* type),
      { return new Audio().canPlayType(UTF8ToString(type)).length > 0; });

// Names the file being loaded, for the report of a failed decode.
EM_JS(void, korvel_loading, (const char* path), { Module.korvelSoundLoading = UTF8ToString(path); });

struct Format {
    size_t offset;
    const char* magic;
    const char* type; ///< As the browser's canPlayType asks for it.
    const char* name;
};

// The formats told from a file's first bytes; an Ogg stream by its first packet, after a page
// header of 28 bytes.
constexpr Format kFormats[] = {{8, "WAVE", "audio/wav", "WAV"},
                               {28, "\x01vorbis", "audio/ogg; codecs=\"vorbis\"", "Ogg Vorbis"},
                               {28, "OpusHead", "audio/ogg; codecs=\"opus\"", "Ogg Opus"},
                               {0, "fLaC", "audio/flac", "FLAC"},
                               {0, "ID3", "audio/mpeg", "MP3"},
                               {0, "\xff\xfb", "audio/mpeg", "MP3"},
                               {0, "\xff\xf3", "audio/mpeg", "MP3"},
                               {4, "ftyp", "audio/mp4", "MP4 audio"},
                               {0, "MThd", "audio/midi", "MIDI"}};

// Whether the file may go to the emulation's loader, judged by its first bytes. A file the browser
// cannot decode leaves its reason for MixerError; an empty one is refused without one (the engine
// says why).
bool Decodable(const std::vector<uint8_t>& bytes) {
    refusal.clear();
    unsigned char head[64] = {};
    std::memcpy(head, bytes.data(), std::min(bytes.size(), sizeof head));
    if (bytes.empty()) {
        return false;
    }
    for (const Format& format : kFormats) {
        if (std::memcmp(head + format.offset, format.magic, std::strlen(format.magic)) == 0) {
            if (!korvel_can_play(format.type)) {
                refusal = std::string("the browser cannot decode ") + format.name;
            }
            return refusal.empty();
        }
    }
    refusal = "the browser cannot decode this format (it decodes WAV, Ogg, MP3 and FLAC)";
    return false;
}

} // namespace

namespace Browser {

int OpenAudio(int frequency, Uint16 format, int channels, int chunkSize) {
    if (Mix_OpenAudio(frequency, format, channels, chunkSize) != 0) {
        return -1;
    }
    device = {true, frequency, format, channels};
    korvel_report_failed_decodes();
    return 0;
}

void CloseAudio() {
    Mix_CloseAudio();
    device = {};
}

int QuerySpec(int* frequency, Uint16* format, int* channels) {
    *frequency = device.frequency;
    *format = device.format;
    *channels = device.channels;
    return device.open ? 1 : 0;
}

Mix_Chunk* LoadWAV_RW(SDL_RWops* stream, int freeStream) {
    if (!stream || !decodable) {
        if (stream && freeStream) {
            SDL_FreeRW(stream);
        }
        return nullptr;
    }
    return Mix_LoadWAV_RW(stream, freeStream);
}

Mix_Music* LoadMUSType_RW(SDL_RWops* stream, Mix_MusicType, int freeStream) {
    // The emulation takes the stream's bytes at once and tells the format from them.
    Mix_Music* music = stream && decodable ? Mix_LoadMUS_RW(stream) : nullptr;
    if (stream && freeStream) {
        SDL_FreeRW(stream);
    }
    return music;
}

const char* MixerError() {
    return refusal.empty() ? SDL_GetError() : refusal.c_str();
}

} // namespace Browser

SDL_RWops* SoundStream(const std::vector<uint8_t>& bytes, const std::string& path) {
    korvel_loading(path.c_str());
    decodable = Decodable(bytes);
    return SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
}
