#pragma once

#define IDD_TEST_EX 100
#define IDD_TEST_EX_NO_MAXIMIZE 101
#define IDD_TEST_BASE 102
#define IDD_TEST_FRAME 103
