# The README's commands. Each installs what it needs, configures and builds.
.PHONY: deps run test bench fuzz screenshots

FUZZ_SECONDS ?= 60

deps:
	@scripts/install-deps.sh

# Builds the program, lays out its folder and starts it on the demo client.
run: deps
	cmake --preset dev
	cmake --build --preset dev
	scripts/run-demo.sh build/dev

# Builds and runs every test: the core, the windows and sound against a
# private sound server, then the Windows build under Wine.
test: deps
	cmake --preset dev
	cmake --build --preset dev
	scripts/with-sound-server.sh ctest --preset dev

bench: deps
	scripts/bench.sh

fuzz: deps
	scripts/fuzz.sh $(FUZZ_SECONDS)

screenshots: deps
	cmake --preset dev
	cmake --build --preset dev
	scripts/screenshots.sh build/dev
