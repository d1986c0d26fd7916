# The README's commands. Each installs what it needs, configures and builds.
.PHONY: deps run test test-windows test-sanitizers bench fuzz screenshots

FUZZ_SECONDS ?= 60

deps:
	@scripts/install-deps.sh

# Builds the program, lays out its folder and starts it on the demo client.
run: deps
	cmake --preset dev
	cmake --build --preset dev
	scripts/run-demo.sh build/dev

# Builds and runs every test: the core, the windows and sound against a
# private sound server; the Windows build under Wine; each fuzz target for a
# few seconds; then the whole suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer.
test: deps
	cmake --preset dev
	cmake --build --preset dev
	scripts/with-sound-server.sh ctest --preset dev
	scripts/test-windows.sh
	scripts/fuzz.sh 10
	scripts/with-sound-server.sh scripts/test-sanitizers.sh

test-windows: deps
	scripts/test-windows.sh

test-sanitizers: deps
	scripts/with-sound-server.sh scripts/test-sanitizers.sh

bench: deps
	scripts/bench.sh

fuzz: deps
	scripts/fuzz.sh $(FUZZ_SECONDS)

screenshots: deps
	cmake --preset dev
	cmake --build --preset dev
	scripts/screenshots.sh build/dev
