# All set-up lives here: each target installs what is missing, then configures and builds.
BUILD ?= build
CMAKE_FLAGS ?= -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
# Lets ccache, where installed, share objects between checkouts of the project.
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1

.PHONY: setup configure build run test bench clean

setup:
	@scripts/setup.sh

configure: setup
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

build: configure
	cmake --build $(BUILD)

run: build
	mkdir -p dist
	install -m 755 $(BUILD)/listaro dist/listaro
	scripts/run-dist.sh

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 --timeout 900

bench: configure
	cmake --build $(BUILD) --target benchmarks
	scripts/bench.sh $(BUILD)

# Removes build output only; dist/ holds the user's lists and is never touched.
clean:
	rm -rf $(BUILD)
