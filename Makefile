# SPDX-License-Identifier: GPL-3.0-or-later
# The README's commands. Each installs what it needs, configures and builds.
.PHONY: deps run test package test-windows package-windows test-sanitizers bench fuzz screenshots format

FUZZ_SECONDS ?= 60

deps:
	@scripts/install-deps.sh

# Builds the program, lays out its folder and starts it on the demo client.
run: deps
	cmake --preset dev
	cmake --build --preset dev
	scripts/run-demo.sh build/dev

# Builds and runs every test, stage by stage (scripts/test-all.sh): the
# source check (format, the core's one-way dependencies); the core, the
# windows and sound against a private sound server, and the release build's
# packages; the Windows build, its release downloads and the installer under
# Wine; each fuzz target for a few seconds; then the whole suite again under
# AddressSanitizer and UndefinedBehaviorSanitizer. Ends with each stage's time.
test: deps
	scripts/test-all.sh

# A release build packed by CPack: the Debian package and the portable
# archive of the program folder, and the Windows ZIP and installer, in
# build/packages/ (scripts/package.sh).
package: deps
	scripts/package.sh

test-windows: deps
	scripts/test-windows.sh

# The Windows ZIP and installer (build/mingw-release/package/).
package-windows: deps
	scripts/package-windows.sh

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

# Formats every C++ file of the tree with .clang-format.
format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i
