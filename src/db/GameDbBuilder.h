/** @file GameDbBuilder.h Builds a new game database from data/: the schema, the catalogue, the reset. */
#pragma once
#include <filesystem>

/// Builds dbFile from dataDir/schema.sql and every dataDir/content/*.sql in name order, then
/// runs the new-game reset. Works in a temporary file beside dbFile and renames it into place,
/// so dbFile is either the old file or a whole new game. Throws DbError naming the failing file.
void BuildGameDatabase(const std::filesystem::path& dataDir, const std::filesystem::path& dbFile);
