# The two commands of the README, and a few more for developers.
#   make run    build, then run the stand-in host and the agent under Wine
#   make test   install what is missing, build all three builds, run every test
SHELL := /bin/bash
.PHONY: all deps build build-win32 build-win64 test run bench fuzz dist soak clean

all: build

deps:
	bash scripts/install-deps.sh

build: deps
	set -e; for preset in native win64 win32 fuzz; do \
	  cmake --preset $$preset >/dev/null; \
	  cmake --build --preset $$preset; \
	done

build-win32: deps
	cmake --preset win32 >/dev/null
	cmake --build --preset win32

build-win64: deps
	cmake --preset win64 >/dev/null
	cmake --build --preset win64

test: build
	bash scripts/run-tests.sh

run: build-win64
	bash scripts/demo.sh

# Benchmarks: the portable core natively, built with release options (the
# sanitized test build would measure the sanitizers), and the hook's cost
# under Wine.
bench: build
	cmake --preset bench >/dev/null
	cmake --build --preset bench
	build/bench/bin/benchmarks
	bash scripts/wine-session.sh build/win64/bench-session bash -c \
	  'wine64 build/win64/bin/hook_cost.exe && wine64 build/win64/bin/e2e_tests.exe \
	   --gtest_also_run_disabled_tests --gtest_filter="*Bench*" --gtest_brief=1'

# Longer fuzzing by hand: make fuzz FUZZ_SECONDS=600
fuzz: build
	bash scripts/run-fuzzers.sh build/fuzz $${FUZZ_SECONDS:-300}

# The soak runs under Wine: make soak (about a quarter of an hour),
# make soak SOAK_SCALE=3 (three times the work).
soak: build-win64
	bash scripts/run-soak.sh $${SOAK_SCALE:-1}

# The release: dist/Sorvik-<version>/ and its zip.
dist: build-win32
	bash scripts/make-dist.sh

clean:
	rm -rf build dist
