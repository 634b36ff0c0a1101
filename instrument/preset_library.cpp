#include "instrument/preset_library.h"

#include <cmath>

namespace PresetLibrary {
namespace {

constexpr const char* kFactory = "Factory";
constexpr const char* kExpansion = "GlassTidesExpansion";

struct Entry {
  const char* folder;
  const char* name;
};

// Index n - 1 holds preset n.
const Entry kPresets[kLastPreset] = {
    {kFactory, "WLCM - Fashionably Late (MW)"},         // 1
    {kFactory, "BASS - Bouncing Sine (MW)"},            // 2
    {kFactory, "BASS - Electro Pipes"},                 // 3
    {kFactory, "BASS - Heavy Metals A"},                // 4
    {kFactory, "BASS - Heavy Metals B"},                // 5
    {kFactory, "BASS - KeyBell A (MW)"},                // 6
    {kFactory, "BASS - KeyBell B (MW)"},                // 7
    {kFactory, "BASS - Large Electron Glider"},         // 8
    {kFactory, "BASS - Mini Mega Bass"},                // 9
    {kFactory, "BASS - Shark Attack (MW)"},             // 10
    {kFactory, "BASS - The Monster"},                   // 11
    {kFactory, "BASS - The Night Flier"},               // 12
    {kFactory, "ARP - 7-bit Harp A"},                   // 13
    {kFactory, "ARP - 7-bit Harp B (MW)"},              // 14
    {kFactory, "ARP - AutoBass"},                       // 15
    {kFactory, "ARP - Cloud Seeding"},                  // 16
    {kFactory, "ARP - Eutelsat I F1-1983-058A"},        // 17
    {kFactory, "ARP - Granite Pillar A"},               // 18
    {kFactory, "ARP - Granite Pillar B"},               // 19
    {kFactory, "ARP - Hyper Rubber (MW)"},              // 20
    {kFactory, "ARP - Kancel Kulture (MW)"},            // 21
    {kFactory, "ARP - Kobra Bass"},                     // 22
    {kFactory, "ARP - Metal Fantasy (MW)"},             // 23
    {kFactory, "ARP - Steady Low End"},                 // 24
    {kFactory, "ARP - The Key Code A"},                 // 25
    {kFactory, "ARP - The Key Code B (MW)"},            // 26
    {kFactory, "ARP - The Secret Network (MW)"},        // 27
    {kFactory, "ARP - The Sequence A (MW)"},            // 28
    {kFactory, "ARP - The Sequence B (MW)"},            // 29
    {kFactory, "ARP - The Sequence C (MW)"},            // 30
    {kFactory, "ARP - Tranceq A (MW)"},                 // 31
    {kFactory, "ARP - Tranceq B (MW)"},                 // 32
    {kFactory, "ARP - Vanishing Signals..."},           // 33
    {kFactory, "KEYS - 8-bit Stories A (MW)"},          // 34
    {kFactory, "KEYS - 8-bit Stories B (MW)"},          // 35
    {kFactory, "KEYS - Ambient Piano A"},               // 36
    {kFactory, "KEYS - Ambient Piano B"},               // 37
    {kFactory, "KEYS - Chrono Trigger (MW)"},           // 38
    {kFactory, "KEYS - ClaviTova A"},                   // 39
    {kFactory, "KEYS - ClaviTova B"},                   // 40
    {kFactory, "KEYS - ClaviTova C"},                   // 41
    {kFactory, "KEYS - Coin-Op"},                       // 42
    {kFactory, "KEYS - Digital Lore (MW)"},             // 43
    {kFactory, "KEYS - Halloween A"},                   // 44
    {kFactory, "KEYS - Halloween B (MW)"},              // 45
    {kFactory, "KEYS - Hot Wheels Drive A"},            // 46
    {kFactory, "KEYS - Hot Wheels Drive B"},            // 47
    {kFactory, "KEYS - Hot Wheels Drive C"},            // 48
    {kFactory, "KEYS - Laser Stab (MW)"},               // 49
    {kFactory, "KEYS - Long Pluck (MW)"},               // 50
    {kFactory, "KEYS - Long Release"},                  // 51
    {kFactory, "KEYS - Organizer A"},                   // 52
    {kFactory, "KEYS - Organizer B"},                   // 53
    {kFactory, "KEYS - Organizer C"},                   // 54
    {kFactory, "KEYS - Pipes Accent"},                  // 55
    {kFactory, "KEYS - PolyPulse (MW)"},                // 56
    {kFactory, "KEYS - Psychedelic Tales"},             // 57
    {kFactory, "KEYS - Quicksilver (MW)"},              // 58
    {kFactory, "KEYS - Repitch Robot (MW)"},            // 59
    {kFactory, "KEYS - Run'N'Gun"},                     // 60
    {kFactory, "KEYS - Silver Guitars"},                // 61
    {kFactory, "KEYS - Solid Carrier (MW)"},            // 62
    {kFactory, "KEYS - Synthetic Pluck A (MW)"},        // 63
    {kFactory, "KEYS - Synthetic Pluck B (MW)"},        // 64
    {kFactory, "KEYS - The Digital Polysynth"},         // 65
    {kFactory, "KEYS - Toy Piano"},                     // 66
    {kFactory, "KEYS - Vintage AnaBrass A"},            // 67
    {kFactory, "KEYS - Vintage AnaBrass B"},            // 68
    {kFactory, "LEAD - 1-bit Of Lead"},                 // 69
    {kFactory, "LEAD - A few bits away..."},            // 70
    {kFactory, "LEAD - Acid Flush"},                    // 71
    {kFactory, "LEAD - Alone In The Dark"},             // 72
    {kFactory, "LEAD - Cartoon-stable (MW)"},           // 73
    {kFactory, "LEAD - Deep Scream (MW)"},              // 74
    {kFactory, "LEAD - Diamond Sawer"},                 // 75
    {kFactory, "LEAD - Dirty Sine (MW)"},               // 76
    {kFactory, "LEAD - Driller A"},                     // 77
    {kFactory, "LEAD - Driller B (MW)"},                // 78
    {kFactory, "LEAD - DuoTonal (MW)"},                 // 79
    {kFactory, "LEAD - Electro Bow (MW)"},              // 80
    {kFactory, "LEAD - Hamelin Flute"},                 // 81
    {kFactory, "LEAD - Hidden Creatures"},              // 82
    {kFactory, "LEAD - Lode Runner"},                   // 83
    {kFactory, "LEAD - MicroComputers A (MW)"},         // 84
    {kFactory, "LEAD - MicroComputers B (MW)"},         // 85
    {kFactory, "LEAD - Mono Duster"},                   // 86
    {kFactory, "LEAD - Multi-Chan APU (MW)"},           // 87
    {kFactory, "LEAD - No Limit"},                      // 88
    {kFactory, "LEAD - Pitch Spreader A (MW)"},         // 89
    {kFactory, "LEAD - Pitch Spreader B (MW)"},         // 90
    {kFactory, "LEAD - Pocket Bombs"},                  // 91
    {kFactory, "LEAD - Rotations (MW)"},                // 92
    {kFactory, "LEAD - Saw Width Modulation (MW)"},     // 93
    {kFactory, "LEAD - Shredder (MW)"},                 // 94
    {kFactory, "LEAD - Telecom Bell"},                  // 95
    {kFactory, "LEAD - The Core Extreme (MW)"},         // 96
    {kFactory, "LEAD - The Expresso"},                  // 97
    {kFactory, "LEAD - The Final Castle (MW)"},         // 98
    {kFactory, "LEAD - The Leader (MW)"},               // 99
    {kFactory, "LEAD - Tuned Noise"},                   // 100
    {kFactory, "LEAD - Ultra Stab A"},                  // 101
    {kFactory, "LEAD - Ultra Stab B (MW)"},             // 102
    {kFactory, "LEAD - Unicorns"},                      // 103
    {kFactory, "LEAD - Unisonic"},                      // 104
    {kFactory, "LEAD - Voices Of Trance"},              // 105
    {kFactory, "LEAD - Voltage Piper"},                 // 106
    {kFactory, "LEAD - Vox-A-Lead"},                    // 107
    {kFactory, "ACST - Accordion A"},                   // 108
    {kFactory, "ACST - Accordion B"},                   // 109
    {kFactory, "ACST - Bagpipes"},                      // 110
    {kFactory, "ACST - Double Basses"},                 // 111
    {kFactory, "ACST - Flute A (MW)"},                  // 112
    {kFactory, "ACST - Flute B (MW)"},                  // 113
    {kFactory, "ACST - Harmonica"},                     // 114
    {kFactory, "ACST - Harp"},                          // 115
    {kFactory, "ACST - Harpsichord"},                   // 116
    {kFactory, "ACST - Honky-tonk"},                    // 117
    {kFactory, "ACST - Jazz Quartet Guitar"},           // 118
    {kFactory, "ACST - Mouth Harp (PB)"},               // 119
    {kFactory, "ACST - Music Box"},                     // 120
    {kFactory, "ACST - Oboe"},                          // 121
    {kFactory, "ACST - Sax On The Beach"},              // 122
    {kFactory, "ACST - Sitar"},                         // 123
    {kFactory, "ACST - The Grand Piano"},               // 124
    {kFactory, "ACST - Trumpet"},                       // 125
    {kFactory, "ACST - Tutti Woodwinds"},               // 126
    {kFactory, "ACST - Voilin"},                        // 127
    {kFactory, "PAD - Amun-Ra Valley"},                 // 128
    {kFactory, "PAD - Ascension (MW)"},                 // 129
    {kFactory, "PAD - Bowed Glass"},                    // 130
    {kFactory, "PAD - Dark Driller (MW)"},              // 131
    {kFactory, "PAD - Ensemble Tremolo (MW)"},          // 132
    {kFactory, "PAD - Iodide Fog"},                     // 133
    {kFactory, "PAD - Metal Strings"},                  // 134
    {kFactory, "PAD - Propaganda 1984"},                // 135
    {kFactory, "PAD - Slow Ensemble"},                  // 136
    {kFactory, "PAD - Soft Ensemble A"},                // 137
    {kFactory, "PAD - Soft Ensemble B"},                // 138
    {kFactory, "PAD - Soft Ensemble C"},                // 139
    {kFactory, "PAD - Summer Breeze 1987"},             // 140
    {kFactory, "PAD - T800 A.D. 2029"},                 // 141
    {kFactory, "PAD - THX Deep Note"},                  // 142
    {kFactory, "PAD - Velocity Controlled LFO"},        // 143
    {kFactory, "PAD - Wavefront (MW)"},                 // 144
    {kFactory, "PERC - Acoustic Tribe"},                // 145
    {kFactory, "PERC - Brush Hat"},                     // 146
    {kFactory, "PERC - Chroma Bells"},                  // 147
    {kFactory, "PERC - HardCore Beat A"},               // 148
    {kFactory, "PERC - HardCore Beat B"},               // 149
    {kFactory, "PERC - Snare Drum"},                    // 150
    {kFactory, "PERC - Zapper"},                        // 151
    {kFactory, "SFX - Chaos Velocity"},                 // 152
    {kFactory, "SFX - Space Invaders"},                 // 153
    {kFactory, "SFX - Transitions (MW)"},               // 154
    {kFactory, "SFX - Windy Shore (MW)"},               // 155
    {kExpansion, "ACST - Steel Drums A"},               // 156
    {kExpansion, "ACST - Steel Drums B"},               // 157
    {kExpansion, "ARP - Electro Gentleman A"},          // 158
    {kExpansion, "ARP - Electro Gentleman B"},          // 159
    {kExpansion, "ARP - Tensor Train-ing"},             // 160
    {kExpansion, "BASS - Alkaline Stabber"},            // 161
    {kExpansion, "BASS - Belly Kelly (MW)"},            // 162
    {kExpansion, "BASS - Deep Crispy Low End"},         // 163
    {kExpansion, "BASS - Dirty Tube Legato"},           // 164
    {kExpansion, "BASS - Power Glove (MW)"},            // 165
    {kExpansion, "BASS - Rubber Gauntlet (MW)"},        // 166
    {kExpansion, "KEYS - Buffle Tails"},                // 167
    {kExpansion, "KEYS - Decay Vs. Release"},           // 168
    {kExpansion, "KEYS - Diode Ladder Rez"},            // 169
    {kExpansion, "KEYS - Dyna-sty (MW)"},               // 170
    {kExpansion, "KEYS - Expressive Calm (MW)"},        // 171
    {kExpansion, "KEYS - HarshTag (MW)"},               // 172
    {kExpansion, "KEYS - Hidden Rumble"},               // 173
    {kExpansion, "KEYS - Jupiter Lead (MW)"},           // 174
    {kExpansion, "KEYS - My Sweet 1980s Harp"},         // 175
    {kExpansion, "KEYS - New Tokyo"},                   // 176
    {kExpansion, "KEYS - NYC Pizza"},                   // 177
    {kExpansion, "KEYS - Paraphonics (MW)"},            // 178
    {kExpansion, "KEYS - PolyToys (MW)"},               // 179
    {kExpansion, "KEYS - Pop Piano"},                   // 180
    {kExpansion, "KEYS - PVC Hammer (MW)"},             // 181
    {kExpansion, "KEYS - Separate Drivers"},            // 182
    {kExpansion, "KEYS - Sequential Velocity (MW)"},    // 183
    {kExpansion, "KEYS - Smart Cheap Toys A (MW)"},     // 184
    {kExpansion, "KEYS - Smart Cheap Toys B (MW)"},     // 185
    {kExpansion, "KEYS - Spin Master (VL)"},            // 186
    {kExpansion, "KEYS - Sweet Metal (MW)"},            // 187
    {kExpansion, "KEYS - VelociMorpher (MW)"},          // 188
    {kExpansion, "KEYS - Vintage Toy (MW)"},            // 189
    {kExpansion, "LEAD - Acid Washer"},                 // 190
    {kExpansion, "LEAD - Captain Power (MW)"},          // 191
    {kExpansion, "LEAD - HyperRocket (MW)"},            // 192
    {kExpansion, "LEAD - Jumpers"},                     // 193
    {kExpansion, "LEAD - MonoLove (MW)"},               // 194
    {kExpansion, "LEAD - Rotating Spike (MW)"},         // 195
    {kExpansion, "LEAD - Self-Correcting (MW)"},        // 196
    {kExpansion, "LEAD - Solid Dimensions (MW)"},       // 197
    {kExpansion, "LEAD - The Bold Orchestra Section"},  // 198
    {kExpansion, "LEAD - The Dark City"},               // 199
    {kExpansion, "LEAD - The Elite"},                   // 200
    {kExpansion, "LEAD - Thereminal Velocity (MW)"},    // 201
    {kExpansion, "LEAD - Trance Gates"},                // 202
    {kExpansion, "LEAD - Truck Lane (MW)"},             // 203
    {kExpansion, "PAD - Dunes (MW)"},                   // 204
    {kExpansion, "PAD - Expressive Mellow (MW)"},       // 205
    {kExpansion, "PAD - High Sweep (MW)"},              // 206
    {kExpansion, "PAD - HoloPads (MW)"},                // 207
    {kExpansion, "PAD - Iced Mud"},                     // 208
    {kExpansion, "PAD - Lush Silk"},                    // 209
    {kExpansion, "PAD - Metal Planet A (MW)"},          // 210
    {kExpansion, "PAD - Metal Planet B (MW)"},          // 211
    {kExpansion, "PAD - Morph'n Motion A"},             // 212
    {kExpansion, "PAD - Morph'n Motion B"},             // 213
    {kExpansion, "PAD - Pitch Soundtracker"},           // 214
    {kExpansion, "PAD - Reverse Engineered (MW)"},      // 215
    {kExpansion, "PAD - Rise, Krispies ! (MW)"},        // 216
    {kExpansion, "PAD - Stellar Flux (MW)"},            // 217
    {kExpansion, "PAD - Tyrell Corp. 2049 (MW)"},       // 218
    {kExpansion, "PAD - Vintage Overtones"},            // 219
};

bool Known(int n) {
  return n >= kFirstPreset && n <= kLastPreset;
}

}  // namespace

const char* PresetName(int n) {
  return Known(n) ? kPresets[n - 1].name : nullptr;
}

const char* PresetFolder(int n) {
  return Known(n) ? kPresets[n - 1].folder : nullptr;
}

int PresetNumber(double selectorValue) {
  const double rounded = std::trunc(selectorValue + 0.5);
  if (!(rounded > -2147483648.0 && rounded < 2147483648.0)) return 0;
  return static_cast<int>(rounded);
}

std::string PresetPath(const std::string& documentsFolder, int n) {
  if (documentsFolder.empty()) return std::string();
  std::string path = documentsFolder + kLibraryFolder;
  if (Known(n)) {
    path += PresetFolder(n);
    path += '/';
    path += PresetName(n);
    path += kFileExtension;
  }
  return path;
}

}  // namespace PresetLibrary
