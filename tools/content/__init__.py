"""The game's content, described by subject: models, textures, levels."""
