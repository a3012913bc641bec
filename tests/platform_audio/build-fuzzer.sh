#!/usr/bin/env bash
# Builds the audio layer's fuzzer with clang's libFuzzer (AddressSanitizer and
# UBSan with float-cast-overflow on) into build-fuzz/, and runs it when given
# a number of seconds and, optionally, one family of decoders:
#   tests/platform_audio/build-fuzzer.sh                 build only
#   tests/platform_audio/build-fuzzer.sh 600 ffmpeg      build, then fuzz FFmpeg's formats for ten minutes
# Families: sndfile (wav, flac, ogg), mpg123 (mp3, mp2), ffmpeg (aac, m4a, wma),
# midi, cd (cue with its bin). New inputs go to build-fuzz/audio-corpus-<family>/;
# the seeds stay in tests/platform_audio/fuzz-corpus/. Leaks inside the libraries
# themselves are listed in fuzz-lsan.supp.
set -euo pipefail
cd "$(dirname "$0")/../.."
mkdir -p build-fuzz
out=build-fuzz/audio_fuzzer
if [ ! -x "$out" ] || [ -n "$(find platform/audio tests/platform_audio/AudioFuzzTarget.cpp -newer "$out" -name '*.[ch]*' | head -1)" ]; then
  clang++ -std=c++20 -g -O1 -fno-omit-frame-pointer \
    -fsanitize=fuzzer,address,undefined,float-cast-overflow -fno-sanitize-recover=undefined,float-cast-overflow \
    -I. $(pkg-config --cflags portaudio-2.0 libmpg123 libavformat libavcodec libswresample libavutil sndfile \
          soundtouch fluidsynth taglib libcdio libcdio_cdda libcdio_paranoia) \
    platform/audio/*.cpp tests/platform_audio/AudioFuzzTarget.cpp \
    $(pkg-config --libs portaudio-2.0 libmpg123 libavformat libavcodec libswresample libavutil sndfile \
          soundtouch fluidsynth taglib libcdio libcdio_cdda libcdio_paranoia) -ldl -lpthread \
    -o "$out.tmp"
  mv "$out.tmp" "$out"
fi
if [ -n "${1:-}" ]; then
  family="${2:-}"
  corpus="build-fuzz/audio-corpus-${family:-all}"
  mkdir -p "$corpus"
  LSAN_OPTIONS="suppressions=$PWD/tests/platform_audio/fuzz-lsan.supp:print_suppressions=0" \
  AUDIO_FUZZ_FAMILY="$family" "$out" -max_total_time="$1" -timeout=30 -rss_limit_mb=4096 \
    -print_final_stats=1 -artifact_prefix="build-fuzz/$family-" "$corpus" tests/platform_audio/fuzz-corpus
fi
