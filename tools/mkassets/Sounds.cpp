/** @file Sounds.cpp The game's sound effects (synthesised WAV) and music (MIDI written note by note). */
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>

#include "Assets.h"

namespace {

constexpr int kRate = 22050;

void Put16(std::string& s, uint32_t v) { s += static_cast<char>(v & 255), s += static_cast<char>((v >> 8) & 255); }
void Put32(std::string& s, uint32_t v) { Put16(s, v & 0xFFFF), Put16(s, v >> 16); }

std::string Wav(const std::vector<double>& samples) {
  std::string data;
  for (double v : samples) Put16(data, static_cast<uint16_t>(static_cast<int16_t>(std::lround(std::clamp(v, -1.0, 1.0) * 29000))));
  std::string s = "RIFF";
  Put32(s, 36 + data.size());
  s += "WAVEfmt ";
  Put32(s, 16), Put16(s, 1), Put16(s, 1), Put32(s, kRate), Put32(s, kRate * 2), Put16(s, 2), Put16(s, 16);
  s += "data";
  Put32(s, data.size());
  return s + data;
}

/// A repeatable white noise source.
struct Noise {
  uint32_t state;
  explicit Noise(uint32_t seed) : state(seed * 2654435761u + 1) {}
  double operator()() {
    state ^= state << 13, state ^= state >> 17, state ^= state << 5;
    return (state & 0xFFFF) / 32768.0 - 1.0;
  }
};

/// A two-pole band-pass filter (for whooshes and rumbles).
struct BandPass {
  double b0 = 0, b2 = 0, a1 = 0, a2 = 0, x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  void Tune(double freq, double q) {
    const double w = 2 * M_PI * freq / kRate, alpha = std::sin(w) / (2 * q), a0 = 1 + alpha;
    b0 = alpha / a0, b2 = -alpha / a0, a1 = -2 * std::cos(w) / a0, a2 = (1 - alpha) / a0;
  }
  double operator()(double x) {
    const double y = b0 * x + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1, x1 = x, y2 = y1, y1 = y;
    return y;
  }
};

std::vector<double> Render(double seconds, const std::function<double(double, int)>& f) {
  std::vector<double> out(static_cast<size_t>(seconds * kRate));
  for (size_t i = 0; i < out.size(); ++i) out[i] = f(static_cast<double>(i) / kRate, static_cast<int>(i));
  // A short fade at the end keeps it free of a click.
  const size_t fade = std::min<size_t>(out.size() / 4, 64);
  for (size_t i = 0; i < fade; ++i) out[out.size() - 1 - i] *= static_cast<double>(i) / fade;
  return out;
}

std::vector<double> Click() {
  Noise n(1);
  return Render(0.04, [&](double t, int) { return std::exp(-t * 180) * (0.6 * n() + 0.5 * std::sin(2 * M_PI * 2000 * t)); });
}

std::vector<double> Bubble() {
  double phase = 0;
  return Render(0.12, [&](double t, int) {
    phase += 2 * M_PI * (400 + 7000 * t) / kRate;
    return 0.6 * std::sin(phase) * std::sin(M_PI * t / 0.12);
  });
}

std::vector<double> Ratchet() {
  Noise n(2);
  return Render(0.09, [&](double t, int) {
    const double local = std::fmod(t, 0.03);
    return std::exp(-local * 400) * (0.7 * n() + 0.4 * std::sin(2 * M_PI * 3200 * t));
  });
}

std::vector<double> WoodKnock() {
  return Render(0.15, [](double t, int) {
    return std::exp(-t * 40) * (0.6 * std::sin(2 * M_PI * 220 * t) + 0.3 * std::sin(2 * M_PI * 660 * t)) +
           0.3 * std::exp(-t * 120) * std::sin(2 * M_PI * 1210 * t);
  });
}

std::vector<double> Beep() {
  return Render(0.1, [](double t, int) {
    const double env = std::min(1.0, t * 400) * std::exp(-t * 18);
    return env * (0.5 * std::sin(2 * M_PI * 1320 * t) + 0.15 * std::sin(2 * M_PI * 3960 * t));
  });
}

std::vector<double> BowTwang() {
  Noise n(3);
  const int period = kRate / 110;
  std::vector<double> string(period);
  for (double& v : string) v = n();
  BandPass whoosh;
  whoosh.Tune(1500, 1.5);
  return Render(0.4, [&](double t, int i) {
    double& v = string[i % period];
    const double next = string[(i + 1) % period];
    const double out = v;
    v = 0.996 * 0.5 * (v + next);
    return 0.6 * out + 0.5 * whoosh(n()) * std::exp(-t * 10);
  });
}

std::vector<double> SwordClash() {
  Noise n(4);
  const double partials[] = {1000, 2370, 3850, 5110};
  return Render(0.5, [&](double t, int) {
    double v = 0.4 * n() * std::exp(-t * 80);
    for (int k = 0; k < 4; ++k) v += 0.18 * std::sin(2 * M_PI * partials[k] * t) * std::exp(-t * (6 + k * 3));
    return v;
  });
}

std::vector<double> Fire() {
  Noise n(5);
  double low = 0;
  return Render(1.4, [&](double t, int i) {
    low += 0.05 * (n() - low);
    const double env = std::min(1.0, t * 8) * std::exp(-t * 1.2);
    const double crackle = (i % 997 < 30 && n() > 0.3) ? n() * std::exp(-(i % 997) / 6.0) : 0;
    return env * (1.6 * low + 0.7 * crackle);
  });
}

std::vector<double> Freeze() {
  Noise n(6);
  BandPass hiss;
  hiss.Tune(6000, 2);
  double freqs[6];
  for (double& f : freqs) f = 2000 + 2000 * (n() + 1) / 2;
  return Render(1.2, [&](double t, int) {
    double v = 0.2 * hiss(n()) * std::exp(-t * 2);
    for (int k = 0; k < 6; ++k) {
      const double start = k * 0.12;
      if (t >= start) v += 0.12 * std::sin(2 * M_PI * freqs[k] * (t - start)) * std::exp(-(t - start) * 5);
    }
    return v;
  });
}

std::vector<double> Thunder() {
  Noise n(7);
  double rumble = 0;
  return Render(1.6, [&](double t, int) {
    rumble += 0.01 * (n() - rumble);
    return 0.9 * n() * std::exp(-t * 30) + 5 * rumble * std::exp(-t * 1.8);
  });
}

std::vector<double> Growl() {
  Noise n(8);
  double phase = 0;
  return Render(0.5, [&](double t, int) {
    phase += (90 + 12 * std::sin(2 * M_PI * 7 * t)) / kRate;
    const double saw = 2 * (phase - std::floor(phase)) - 1;
    const double env = std::min(1.0, t * 30) * std::exp(-t * 4);
    return env * (0.45 * saw + 0.2 * n());
  });
}

std::vector<double> Step(double pitch, double decay, int hits, uint32_t seed) {
  Noise n(seed);
  return Render(0.06 + 0.09 * hits, [&](double t, int) {
    double v = 0;
    for (int h = 0; h < hits; ++h) {
      const double s = t - h * 0.09;
      if (s >= 0) v += std::exp(-s * decay) * (0.6 * std::sin(2 * M_PI * pitch * s) + 0.3 * n());
    }
    return v;
  });
}

std::vector<double> Swing() {
  Noise n(9);
  BandPass band;
  return Render(0.3, [&](double t, int) {
    band.Tune(400 + 3000 * t / 0.3, 3);
    return 1.5 * band(n()) * std::sin(M_PI * t / 0.3);
  });
}

// ---- MIDI: format 1, 96 ticks a quarter note.

constexpr int kTicks = 96;

struct Track {
  struct Event {
    uint32_t tick;
    int order;  ///< note-offs before note-ons at the same tick
    std::string bytes;
  };
  std::vector<Event> events;
  void Add(uint32_t tick, int order, std::string bytes) { events.push_back({tick, order, std::move(bytes)}); }
  void Program(int channel, int program) { Add(0, 1, {static_cast<char>(0xC0 | channel), static_cast<char>(program)}); }
  void Note(int channel, uint32_t start, uint32_t length, int pitch, int velocity) {
    Add(start, 2, {static_cast<char>(0x90 | channel), static_cast<char>(pitch), static_cast<char>(velocity)});
    Add(start + length, 0, {static_cast<char>(0x80 | channel), static_cast<char>(pitch), 0});
  }
  std::string Bytes() {
    std::stable_sort(events.begin(), events.end(),
                     [](const Event& a, const Event& b) { return a.tick != b.tick ? a.tick < b.tick : a.order < b.order; });
    std::string s;
    uint32_t now = 0;
    auto delta = [&s](uint32_t d) {
      std::string v(1, static_cast<char>(d & 0x7F));
      while (d >>= 7) v.insert(v.begin(), static_cast<char>(0x80 | (d & 0x7F)));
      s += v;
    };
    for (const Event& e : events) {
      delta(e.tick - now);
      now = e.tick;
      s += e.bytes;
    }
    delta(0);
    s += std::string("\xFF\x2F\x00", 3);
    return s;
  }
};

void PutBe32(std::string& s, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) s += static_cast<char>((v >> shift) & 255);
}

std::string Midi(int bpm, std::vector<Track>& tracks) {
  const uint32_t tempo = 60000000u / bpm;
  tracks.front().Add(0, 0, {'\xFF', 0x51, 0x03, static_cast<char>(tempo >> 16), static_cast<char>((tempo >> 8) & 255),
                            static_cast<char>(tempo & 255)});
  std::string s = "MThd";
  PutBe32(s, 6);
  s += {0, 1, 0, static_cast<char>(tracks.size()), 0, static_cast<char>(kTicks)};
  for (Track& t : tracks) {
    const std::string body = t.Bytes();
    s += "MTrk";
    PutBe32(s, body.size());
    s += body;
  }
  return s;
}

/// A tune over a chord progression: melody from the chord and scale, chords, bass, drums if asked.
struct Tune {
  int bpm;
  int root;                            ///< MIDI note of the key's tonic
  std::vector<int> scale;              ///< semitones of the key
  std::vector<std::vector<int>> bars;  ///< chord of each bar, scale degrees from the tonic
  int melodyProgram, chordProgram, bassProgram;
  bool drums;
  uint32_t seed;
};

std::string Compose(const Tune& tune) {
  std::vector<Track> tracks(tune.drums ? 4 : 3);
  tracks[0].Program(0, tune.melodyProgram);
  tracks[1].Program(1, tune.chordProgram);
  tracks[2].Program(2, tune.bassProgram);
  auto pitchOf = [&tune](int degree, int octave) {
    const int n = static_cast<int>(tune.scale.size());
    const int d = ((degree % n) + n) % n, o = (degree - d) / n;
    return tune.root + 12 * (octave + o) + tune.scale[d];
  };
  Noise pick(tune.seed);
  int degree = tune.bars.front().front() + 7;  // the melody starts an octave up on the first chord's root
  const bool fast = tune.bpm > 120;
  for (size_t bar = 0; bar < tune.bars.size(); ++bar) {
    const uint32_t start = static_cast<uint32_t>(bar) * 4 * kTicks;
    const auto& chord = tune.bars[bar];
    for (int degreeOfChord : chord) {
      if (fast) {
        for (int beat = 0; beat < 4; ++beat) tracks[1].Note(1, start + beat * kTicks, kTicks / 2, pitchOf(degreeOfChord, 0), 70);
      } else {
        tracks[1].Note(1, start, 4 * kTicks - 4, pitchOf(degreeOfChord, 0), 55);
      }
    }
    const int bassNote = pitchOf(chord.front(), -1);
    for (int eighth = 0; eighth < 8; eighth += fast ? 1 : 4)
      tracks[2].Note(2, start + eighth * kTicks / 2, fast ? kTicks / 2 - 6 : 2 * kTicks - 8, bassNote + (fast && eighth % 2 ? 12 : 0), 80);
    // The melody: a rhythm of the bar, each note a step or a leap to a chord tone.
    static const std::vector<std::vector<int>> rhythms = {{2, 1, 1, 2, 2}, {1, 1, 1, 1, 4}, {3, 1, 2, 2}, {2, 2, 4}};
    const auto& rhythm = bar + 1 == tune.bars.size() ? std::vector<int>{8} : rhythms[(bar + (pick() > 0 ? 1 : 0)) % rhythms.size()];
    uint32_t at = start;
    for (size_t k = 0; k < rhythm.size(); ++k) {
      const bool strong = k == 0 || rhythm[k] >= 4;
      if (strong) {  // land on the nearest chord tone
        int best = degree, bestDistance = 99;
        for (int c : chord)
          for (int o = 0; o < 3; ++o) {
            const int candidate = c + 7 * o;
            if (std::abs(candidate - degree) < bestDistance) best = candidate, bestDistance = std::abs(candidate - degree);
          }
        degree = best;
      } else {
        degree += pick() > 0 ? 1 : -1;
      }
      degree = std::clamp(degree, 5, 14);
      const uint32_t length = rhythm[k] * kTicks / 2;
      tracks[0].Note(0, at, length - 6, pitchOf(degree, 0), 90);
      at += length;
    }
    if (tune.drums) {
      for (int eighth = 0; eighth < 8; ++eighth) {
        const uint32_t t = start + eighth * kTicks / 2;
        tracks[3].Note(9, t, 20, 42, 60);
        if (eighth == 0 || eighth == 4 || (eighth == 5 && bar % 2)) tracks[3].Note(9, t, 30, 36, 100);
        if (eighth == 2 || eighth == 6) tracks[3].Note(9, t, 30, 38, 90);
      }
      if (bar % 4 == 3) tracks[3].Note(9, start + 7 * kTicks / 2, 30, 49, 90);
    }
  }
  return Midi(tune.bpm, tracks);
}

std::string MapTune() {
  const std::vector<int> major = {0, 2, 4, 5, 7, 9, 11};
  // I - vi - IV - V, then I - IV - ii - V, twice: sixteen unhurried bars that loop back to the start.
  std::vector<std::vector<int>> bars;
  for (int round = 0; round < 2; ++round)
    for (const auto& chord : std::vector<std::vector<int>>{{0, 2, 4}, {5, 7, 9}, {3, 5, 7}, {4, 6, 8},
                                                           {0, 2, 4}, {3, 5, 7}, {1, 3, 5}, {4, 6, 8}})
      bars.push_back(chord);
  return Compose({96, 60, major, bars, 73, 48, 32, false, 11});
}

std::string BattleTune() {
  const std::vector<int> minor = {0, 2, 3, 5, 7, 8, 10};
  std::vector<std::vector<int>> bars;
  for (int round = 0; round < 4; ++round)
    for (const auto& chord : std::vector<std::vector<int>>{{0, 2, 4}, {5, 7, 9}, {6, 8, 10}, {4, 6, 8}}) bars.push_back(chord);
  return Compose({150, 57, minor, bars, 56, 61, 38, true, 23});
}

std::string TestTune() {  // a short fanfare, played once by the settings dialog
  std::vector<Track> tracks(1);
  tracks[0].Program(0, 56);
  const int notes[] = {60, 64, 67, 72};
  for (int k = 0; k < 4; ++k) tracks[0].Note(0, k * kTicks / 2, kTicks / 2 - 4, notes[k], 95);
  for (int n : {60, 64, 67, 72}) tracks[0].Note(0, 2 * kTicks, 4 * kTicks, n, 85);
  return Midi(120, tracks);
}

}  // namespace

std::vector<AssetFile> Sounds() {
  std::vector<AssetFile> files;
  auto wav = [&files](const char* name, const std::vector<double>& samples) { files.push_back({"sound", name, Wav(samples)}); };
  wav("clap01.wav", Click());
  wav("buble04.wav", Bubble());
  wav("neji01.wav", Ratchet());
  wav("wood05.wav", WoodKnock());
  wav("pi42.wav", Beep());
  wav("yumi.wav", BowTwang());
  wav("ken.wav", SwordClash());
  wav("fire02.wav", Fire());
  wav("freeze10.wav", Freeze());
  wav("tm2_lightning000.wav", Thunder());
  wav("monatt.wav", Growl());
  wav("step10_a.wav", Step(80, 35, 1, 10));   // the army's march
  wav("step02.wav", Step(300, 60, 2, 12));    // hooves
  wav("swing08.wav", Swing());
  wav("step12.wav", Step(55, 20, 1, 14));     // a heavy monster
  files.push_back({"sound", "map2.mid", MapTune()});
  files.push_back({"sound", "battle.mid", BattleTune()});
  files.push_back({"sound", "test.mid", TestTune()});
  return files;
}
