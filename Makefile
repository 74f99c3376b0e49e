# The two commands of the README, and a few more for developers.
#   make run    build, then run the stand-in host and the agent under Wine
#   make test   install what is missing, build all the builds, run every test
SHELL := /bin/bash
.PHONY: all deps build build-win32 build-win32-test test run bench fuzz dist soak clean

all: build

deps:
	bash scripts/install-deps.sh

build: deps
	set -e; for preset in native win32 win32-test bench fuzz; do \
	  cmake --preset $$preset >/dev/null; \
	  cmake --build --preset $$preset; \
	done

# The deliverables (and a stand-in host for make run).
build-win32: deps
	cmake --preset win32 >/dev/null
	cmake --build --preset win32

# The tests, the stand-in host and the benchmarks for i686.
build-win32-test: deps
	cmake --preset win32-test >/dev/null
	cmake --build --preset win32-test

test: build
	bash scripts/run-tests.sh

run: dist
	bash scripts/demo.sh

# Benchmarks: the portable core natively, built with release options (the
# sanitized test build would measure the sanitizers), and, under 32-bit Wine,
# the release's hook library in the i686 stand-in host and the link window's
# latency with the release's agent.
bench: dist build-win32-test
	cmake --preset bench >/dev/null
	cmake --build --preset bench
	build/bench/bin/benchmarks
	. scripts/wine-env.sh; export SORVIK_RELEASE=$$(release_folder); \
	bash scripts/wine-session.sh build/win32-test/bench-session bash -c \
	  'wine build/win32-test/bin/hook_cost.exe && wine build/win32-test/bin/e2e_tests.exe \
	   --gtest_also_run_disabled_tests --gtest_filter="*Bench*" --gtest_brief=1'

# Longer fuzzing by hand: make fuzz FUZZ_SECONDS=600
fuzz: build
	bash scripts/run-fuzzers.sh build/fuzz $${FUZZ_SECONDS:-300}

# The soak runs under Wine: make soak (about a quarter of an hour),
# make soak SOAK_SCALE=3 (three times the work).
soak: dist build-win32-test
	bash scripts/run-soak.sh $${SOAK_SCALE:-1}

# The release: dist/Sorvik-<version>/ and its zip.
dist: build-win32
	bash scripts/make-dist.sh

clean:
	rm -rf build dist
