// Templates and controls of the sample application.
#pragma once

#define IDD_SAMPLE_FRAME 100
#define IDD_SAMPLE_BASE 101
#define IDD_SAMPLE_EX 102

#define IDC_SERVER_LABEL 1001
#define IDC_SERVER 1002
#define IDC_TASK_LABEL 1003
#define IDC_TASK 1004
#define IDC_NOTIFY 1005
#define IDC_SPEED_LABEL 1006
#define IDC_SPEED 1007
#define IDC_OPEN_BASE 1008
#define IDC_OPEN_EX 1009
#define IDC_NAME_LABEL 1010
#define IDC_NAME 1011
#define IDC_PROGRESS 1012
#define IDC_KIND_GROUP 1013
#define IDC_KIND_PERSON 1014
#define IDC_KIND_VEHICLE 1015
#define IDC_RECENT 1016
