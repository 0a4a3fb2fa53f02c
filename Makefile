# Ralvinor: the two commands that matter are `make run` and `make test`.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
SITE_ROOT  ?=
CMAKE_ARGS ?=

ifneq ($(SITE_ROOT),)
CMAKE_ARGS += -DRALVINOR_SITE_ROOT=$(SITE_ROOT)
endif

.PHONY: deps build run test test-fast test-asan bench clean

deps:
	@./scripts/deps.sh

build: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@./scripts/run.sh $(BUILD)/ui/ralvinor

# Every test twice: a plain build, then one under AddressSanitizer and
# UndefinedBehaviorSanitizer.
test: test-fast test-asan

test-fast: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-asan: deps
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DRALVINOR_SANITIZE=ON -DRALVINOR_EXTRAS=OFF $(CMAKE_ARGS) >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	@cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

bench: build
	@./scripts/bench.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
