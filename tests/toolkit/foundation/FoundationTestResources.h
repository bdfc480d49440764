// Resource ids of the foundation tests.
#pragma once

#define IDR_TEST_PNG_ALPHA 101
#define IDR_TEST_PNG_NINE_BYTES 102
