#include "game/PlayerSounds.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

#include "game/Camera.h"
#include "game/GameState.h"
#include "scene/Player.h"
#include "sound/AudioDevice.h"
#include "sound/Listener.h"
#include "sound/SoundBuffer.h"
#include "sound/SoundSource.h"

namespace {
constexpr std::size_t cueCount = std::size(playerCueFiles);
constexpr float degreesToRadians = 3.14159265f / 180;

// Declared in the order of their lives: the device outlives every buffer,
// and every buffer outlives the sources that play it.
struct SoundState {
    AudioDevice device;
    std::array<SoundBuffer, cueCount> buffers;
    std::array<SoundSource, cueCount> sources;
    bool loaded = false;
};

std::unique_ptr<SoundState> state;
}  // namespace

void startSound() {
    if (state) return;
    state = std::make_unique<SoundState>();
    if (!state->device.isOpen()) {
        std::fprintf(stderr, "zarnoth: %s, playing without sound\n", state->device.failure().c_str());
        state.reset();
        return;
    }
    for (SoundSource& source : state->sources) {
        source = SoundSource();
        source.attachToListener();
    }
}

void loadPlayerSounds() {
    if (!state || state->loaded) return;
    state->loaded = true;
    for (std::size_t i = 0; i < cueCount; ++i) {
        SoundSamples sound;
        std::string error;
        if (!readSoundFile(playerCueFiles[i], sound, error)) {
            std::fprintf(stderr, "zarnoth: sound left out: %s\n", error.c_str());
            continue;
        }
        state->buffers[i] = SoundBuffer(sound);
    }
}

void playPlayerCue(PlayerCue cue) {
    if (!state) return;
    const auto i = static_cast<std::size_t>(cue);
    state->sources[i].play(state->buffers[i]);
}

void placeListenerAtPlayer() {
    if (!state) return;
    const float a = camera.yaw * degreesToRadians;
    const float height = player ? player->heightOffset() : 0;
    const float position[3] = {-camera.offset.x, height, -camera.offset.z};
    const float forward[3] = {std::sin(a), 0, -std::cos(a)};
    placeListener(position, forward);
}

void endSound() { state.reset(); }

bool footfallBetween(float from, float to) {
    for (float frame : footfallFrames) {
        const bool passed = from <= to ? (frame > from && frame <= to) : (frame > from || frame <= to);
        if (passed) return true;
    }
    return false;
}
