# The README's commands. Each installs what it needs, configures and builds.
.PHONY: deps run test

deps:
	@scripts/install-deps.sh

# Builds the program, lays out its folder and starts it on the demo client.
run: deps
	cmake --preset dev
	cmake --build --preset dev
	scripts/run-demo.sh build/dev

# Builds and runs every test, ending with CTest's summary.
test: deps
	cmake --preset dev
	cmake --build --preset dev
	ctest --preset dev
