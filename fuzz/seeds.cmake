# Which files seed each fuzz target, and the longest input each is given.
# Shared by the ctest runs and scripts/fuzz-long.sh.
#
# Every execution decodes its whole input, so the limit sets the pace. The
# bugs live in headers, palettes, counts and the first rows or frames:
# - a bitmap's headers and full palette take at most 1.2 KB, which leaves
#   room for a few rows or a few thousand run-length codes;
# - 16 KB holds the small real ASE exports whole (all but the UTF-16 one) and
#   the large ones' materials;
# - 8 KB of 128 kbit/s MP3 decodes to more than one of the decoder's
#   16384-frame chunks;
# - 4 KB of replay holds its header and about 2000 runs of controls, some
#   two minutes of driving;
# - 4 KB of settings is every setting many times over, with long lines.
# Seeds longer than that are cut by trim_seed, which keeps bitmaps decodable.
set(FUZZ_SEED_DIRS data tests/data fuzz/seeds)
set(fuzz_bitmap_SEEDS "*.bmp;*.BMP")
set(fuzz_bitmap_MAX_LEN 4096)
set(fuzz_ase_SEEDS "*.ase;*.ASE")
set(fuzz_ase_MAX_LEN 16384)
set(fuzz_sound_SEEDS "*.wav;*.WAV;*.mp3;*.MP3")
set(fuzz_sound_MAX_LEN 8192)
set(fuzz_replay_SEEDS "*.zxr")
set(fuzz_replay_MAX_LEN 4096)
set(fuzz_settings_SEEDS "*.ini")
set(fuzz_settings_MAX_LEN 4096)
# A board's answer: a status byte, then a page of ten rows and more.
set(fuzz_board_answers_SEEDS "*.json")
set(fuzz_board_answers_MAX_LEN 4096)
