#include "game/GameSounds.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "game/Camera.h"
#include "game/GameState.h"
#include "game/PlayerSounds.h"
#include "level/LevelSounds.h"
#include "level/Scene.h"
#include "platform/EventLog.h"
#include "scene/DeathObject.h"
#include "scene/LatticeObject.h"
#include "scene/Placement.h"
#include "scene/Player.h"
#include "scene/SwitchObject.h"
#include "scene/WaterAbyssObject.h"
#include "sound/AudioDevice.h"
#include "sound/Listener.h"
#include "sound/SoundBuffer.h"
#include "sound/SoundFile.h"
#include "sound/SoundSource.h"

namespace {
constexpr std::size_t soundCueCount = std::size(playerCueNames);
constexpr float soundDegreesToRadians = 3.14159265f / 180;
constexpr float ambientGain = 0.3f;
constexpr float farthestHeard = 40;  // units; beyond it a sound stays as quiet as there

// When an object's sound plays, by its kind.
enum class Plays {
    WhileMoving,  // a deadly object's loop, while it animates
    Always,       // water's (or an abyss's) loop, from the level's start
    OnPress,      // a switch's click, when pressed
    OnRise,       // a lattice's rumble, each time it rises
};

struct Voice {
    const SceneObject* object = nullptr;
    const DeathObject* deadly = nullptr;  // WhileMoving: whose animation it follows
    Plays plays = Plays::Always;
    const SoundBuffer* buffer = nullptr;
    const std::string* name = nullptr;
    SoundSource source;
    bool started = false;
};

// Declared in the order of their lives: the device outlives every buffer,
// and every buffer outlives the sources that play it.
struct SoundState {
    AudioDevice device;
    std::map<std::string, SoundBuffer> bank;  // by sound name; empty where the file failed
    std::array<SoundSource, soundCueCount> cues;
    std::array<const SoundBuffer*, soundCueCount> cueBuffers{};
    SoundSource ambient;
    std::string ambientName;
    std::vector<Voice> voices;  // the level's
    bool soundsFolder = true;
    bool on = true;
    float volume = 0.8f;
    bool paused = false;
    unsigned reportedLevels = 0;  // bit N: level N's sound file was reported (once a run: deaths reload it)
    std::FILE* trace = nullptr;
};

std::unique_ptr<SoundState> sounds;

// The sound of `name`, read the first time it is asked for; an empty buffer
// when the file is missing or broken (said once, on stderr).
const SoundBuffer& bankBuffer(const std::string& name) {
    auto found = sounds->bank.find(name);
    if (found != sounds->bank.end()) return found->second;
    SoundSamples sound;
    std::string error;
    if (sounds->soundsFolder && !readSoundFile(soundFilePath(name), sound, error))
        std::fprintf(stderr, "zarnoth: sound left out: %s\n", error.c_str());
    return sounds->bank.emplace(name, SoundBuffer(sound)).first->second;
}

void traceStart(const char* what, const char* name) {
    if (!sounds->trace) return;
    std::fprintf(sounds->trace, "%s %ld %.6f %s\n", what, eventFrame(), sounds->device.clockSeconds(), name);
}

void applyGain() { setListenerGain(sounds->on ? sounds->volume : 0); }

void startVoice(Voice& voice) {
    if (!voice.buffer || voice.buffer->empty()) return;
    const bool looping = voice.plays == Plays::WhileMoving || voice.plays == Plays::Always;
    voice.source.play(*voice.buffer, looping);
    voice.started = true;
    traceStart(looping ? "loop" : "sound", voice.name->c_str());
}

Voice* voiceOf(const SceneObject& object) {
    for (Voice& voice : sounds->voices) {
        if (voice.object == &object) return &voice;
    }
    return nullptr;
}

// The object's kind as its block in the object file named it.
BlockKind kindOf(const SceneObject& object) {
    if (dynamic_cast<const DeathObject*>(&object)) return BlockKind::DeathObject;
    if (dynamic_cast<const WaterAbyssObject*>(&object)) return BlockKind::WaterAbyssObject;
    if (dynamic_cast<const SwitchObject*>(&object)) return BlockKind::SwitchObject;
    if (dynamic_cast<const LatticeObject*>(&object)) return BlockKind::LatticeObject;
    return BlockKind::AbyssObject;
}

Plays playsFor(BlockKind kind) {
    switch (kind) {
        case BlockKind::DeathObject:
            return Plays::WhileMoving;
        case BlockKind::SwitchObject:
            return Plays::OnPress;
        case BlockKind::LatticeObject:
            return Plays::OnRise;
        default:
            return Plays::Always;  // water, and an abyss the level's file gives a loop
    }
}

void addVoice(const SceneObject& object, const std::string* named) {
    const BlockKind kind = kindOf(object);
    const Plays plays = playsFor(kind);
    const std::string name = named ? *named : std::string(defaultObjectSound(kind));
    if (name.empty() || name == noSound) return;
    Voice& voice = sounds->voices.emplace_back();
    voice.object = &object;
    voice.deadly = dynamic_cast<const DeathObject*>(&object);
    voice.plays = plays;
    voice.buffer = &bankBuffer(name);
    voice.name = &sounds->bank.find(name)->first;
    // Water is heard from the middle of its surface (0 to 1 in x and z before
    // the scaling), everything else from its model's origin.
    const bool water = kind == BlockKind::WaterAbyssObject;
    const Vector3 at = placementMatrix(object).transformPoint(water ? 0.5f : 0, 0, water ? 0.5f : 0);
    const float position[3] = {at.x, at.y, at.z};
    switch (plays) {
        case Plays::WhileMoving:
            voice.source.placeInWorld(position, 1.5f, farthestHeard);
            break;
        case Plays::Always:
            voice.source.placeInWorld(position, 2, farthestHeard);
            voice.source.setGain(0.6f);
            break;
        case Plays::OnPress:
            voice.source.placeInWorld(position, 2, farthestHeard);
            break;
        case Plays::OnRise:
            voice.source.placeInWorld(position, 3, farthestHeard);
            break;
    }
}

// One line for the problems of a level's sound file, at its first load of the run.
void reportSoundFile(int level, const LevelSounds& file) {
    const unsigned bit = level >= 0 && level < 32 ? 1u << level : 0;
    if (sounds->reportedLevels & bit) return;
    sounds->reportedLevels |= bit;
    const std::string path = levelSoundPath(level);
    if (file.status == LevelSounds::Status::Unreadable) {
        std::fprintf(stderr, "zarnoth: %s cannot be read; the level sounds as without it\n", path.c_str());
        return;
    }
    if (file.problems.empty()) return;
    const LevelSounds::Problem& first = file.problems.front();
    const std::size_t more = file.problems.size() - 1;
    std::fprintf(stderr, "zarnoth: %s:%d: %s; the line is left out", path.c_str(), first.line, first.text.c_str());
    if (more > 0) std::fprintf(stderr, " (and %zu more line%s)", more, more == 1 ? "" : "s");
    std::fputc('\n', stderr);
}

void startAmbient(const std::string& name) {
    if (name == noSound) {
        sounds->ambient.stop();
        sounds->ambientName.clear();
        return;
    }
    // The same bed goes on through a reload of its level, a death or an exit.
    if (name == sounds->ambientName && sounds->ambient.sounding()) return;
    const SoundBuffer& buffer = bankBuffer(name);
    sounds->ambientName = name;
    sounds->ambient.play(buffer, true);
    if (!buffer.empty()) traceStart("loop", name.c_str());
}
}  // namespace

void startSound(const SoundStart& start) {
    if (sounds) return;
    sounds = std::make_unique<SoundState>();
    if (!sounds->device.isOpen()) {
        std::fprintf(stderr, "zarnoth: %s, playing without sound\n", sounds->device.failure().c_str());
        sounds.reset();
        return;
    }
    std::error_code error;
    sounds->soundsFolder = std::filesystem::is_directory("sounds", error);
    if (!sounds->soundsFolder)
        std::fprintf(stderr, "zarnoth: no sounds folder in the data directory, playing without sound\n");
    for (SoundSource& cue : sounds->cues) {
        cue = SoundSource();
        cue.attachToListener();
    }
    sounds->ambient = SoundSource();
    sounds->ambient.attachToListener();
    sounds->ambient.setGain(ambientGain);
    sounds->on = start.on;
    sounds->volume = static_cast<float>(start.volume < 0 ? 0 : start.volume > 100 ? 100 : start.volume) / 100;
    applyGain();
    if (const char* trace = std::getenv("ZARNOTH_SOUND_TRACE"); trace && *trace) {
        sounds->trace = std::fopen(trace, "w");
        if (!sounds->trace) std::fprintf(stderr, "zarnoth: %s cannot be written; no sound trace\n", trace);
    }
}

void endSound() {
    if (sounds && sounds->trace) std::fclose(sounds->trace);
    sounds.reset();
}

void startLevelSounds(int level) {
    if (!sounds) return;
    for (SoundSource& cue : sounds->cues) cue.stop();
    sounds->voices.clear();
    for (std::size_t i = 0; i < soundCueCount; ++i) sounds->cueBuffers[i] = &bankBuffer(playerCueNames[i]);

    const LevelSounds file = readLevelSounds(level, objects.size(), sortedObjects.size());
    reportSoundFile(level, file);
    // The file's last line for each object wins.
    std::vector<const std::string*> namedObjects(objects.size()), namedSorted(sortedObjects.size());
    for (const ObjectSound& sound : file.objects) {
        (sound.list == 'o' ? namedObjects : namedSorted)[sound.position] = &sound.name;
    }
    sounds->voices.reserve(objects.size() + sortedObjects.size());
    for (std::size_t i = 0; i < objects.size(); ++i) addVoice(*objects[i], namedObjects[i]);
    for (std::size_t i = 0; i < sortedObjects.size(); ++i) addVoice(*sortedObjects[i], namedSorted[i]);

    startAmbient(file.ambient.empty() ? std::string(defaultAmbientSound) : file.ambient);
    for (Voice& voice : sounds->voices) {
        if (voice.plays == Plays::Always || (voice.plays == Plays::WhileMoving && voice.deadly->animating))
            startVoice(voice);
        // A reload while paused (--watch) waits with the rest.
        if (sounds->paused) voice.source.pause();
    }
    if (sounds->paused) sounds->ambient.pause();
}

void updateSounds() {
    if (!sounds) return;
    if (sounds->trace) std::fprintf(sounds->trace, "frame %ld %.6f\n", eventFrame(), sounds->device.clockSeconds());
    const float a = camera.yaw * soundDegreesToRadians;
    const float height = player ? player->heightOffset() : 0;
    const float position[3] = {-camera.offset.x, height, -camera.offset.z};
    const float forward[3] = {std::sin(a), 0, -std::cos(a)};
    placeListener(position, forward);

    if (paused != sounds->paused) {
        sounds->paused = paused;
        for (SoundSource& cue : sounds->cues) paused ? cue.pause() : cue.resume();
        paused ? sounds->ambient.pause() : sounds->ambient.resume();
        for (Voice& voice : sounds->voices) paused ? voice.source.pause() : voice.source.resume();
    }
}

void toggleSound() {
    if (!sounds) return;
    sounds->on = !sounds->on;
    applyGain();
}

bool soundMuted() { return !sounds || !sounds->on; }

void playPlayerCue(PlayerCue cue) {
    if (!sounds) return;
    const auto i = static_cast<std::size_t>(cue);
    if (!sounds->cueBuffers[i] || sounds->cueBuffers[i]->empty()) return;
    sounds->cues[i].play(*sounds->cueBuffers[i]);
    traceStart("sound", playerCueNames[i]);
}

void playSwitchSound(const SceneObject& pressed) {
    if (!sounds) return;
    if (Voice* voice = voiceOf(pressed); voice && voice->plays == Plays::OnPress) startVoice(*voice);
}

void playActivatedSound(const SceneObject& target) {
    if (!sounds) return;
    Voice* voice = voiceOf(target);
    if (!voice) return;
    if (voice->plays == Plays::OnRise || (voice->plays == Plays::WhileMoving && !voice->started)) startVoice(*voice);
}
