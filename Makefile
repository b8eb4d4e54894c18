# The two commands: `make run` and `make test`. Both install what is missing first.
# `bench` is built with the rest (not run), so that `make bench` cannot break unnoticed.
PRESETS := native win64 win32 fuzz bench
.PHONY: all bootstrap build test run bench fuzz format clean $(PRESETS:%=build-%)

all: build

bootstrap:
	@scripts/bootstrap

build: bootstrap $(PRESETS:%=build-%)

$(PRESETS:%=build-%): build-%: bootstrap
	@test -f build/$*/build.ninja || cmake --preset $* >/dev/null
	@echo "== building $*"
	@cmake --build --preset $*

# The tests run even when the style check fails; either failing fails `make test`.
test: build
	@scripts/format --check; format=$$?; scripts/run-tests; tests=$$?; [ $$format -eq 0 ] && [ $$tests -eq 0 ]

run: bootstrap build-win32 build-win64
	@scripts/run

bench: bootstrap build-bench build-win64
	@scripts/run-benchmarks

fuzz: bootstrap build-fuzz
	@scripts/fuzz

# build/dist/Stripewright-<version>-win32.zip (the 32-bit program and a read-me) and its .sha256.
.PHONY: dist
dist: bootstrap build-win32
	@scripts/dist

# Applies .clang-format to every C++ file.
format: bootstrap
	@scripts/format

clean:
	rm -rf build/native build/win64 build/win32 build/fuzz build/bench
