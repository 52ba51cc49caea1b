/** @file Assets.h What the asset maker makes: the game's picture and sound files, by folder and name. */
#pragma once
#include <string>
#include <vector>

#include "Canvas.h"

struct AssetFile {
  std::string folder;  ///< "image" or "sound"
  std::string name;
  std::string bytes;
};

// Sprite sheets (Sprites.cpp): masks black around the figure and white inside, images on white.
Canvas UnitSheet();              ///< unit.bmp: the player's four classes
Canvas MonsterSheet(int table);  ///< monster1.bmp .. monster4.bmp
Canvas EffectSheet();            ///< battleeffect.bmp: fire, ice, thunder, arrows, strikes
Canvas StatusSheet();            ///< status.bmp: seven 20 x 20 icons

std::vector<AssetFile> Pictures();  ///< every picture of the image folder (Pictures.cpp)
std::vector<AssetFile> Sounds();    ///< every wave and MIDI file of the sound folder (Sounds.cpp)
