# Which files seed each fuzz target: the game's own assets and the public test
# inputs. Shared by the ctest runs and scripts/fuzz-long.sh.
set(FUZZ_SEED_DIRS data tests/data)
set(fuzz_bitmap_SEEDS "*.bmp;*.BMP")
set(fuzz_ase_SEEDS "*.ase;*.ASE")
# The music is far longer than -max_len; libFuzzer reads only its first 64 KiB.
set(fuzz_sound_SEEDS "*.wav;*.WAV;*.mp3;*.MP3")
