#pragma once

// Numbers of the resources and controls; dialogs.json gives the same names the same numbers.
enum ResourceId : int {
    IDC_STATIC = -1,
    IDOK = 1,
    IDCANCEL = 2,
    IDM_ABOUTBOX = 16,
    IDD_ABOUTBOX = 100,
    IDS_ABOUTBOX = 101,
    IDD_KVLEDIT_DIALOG = 102,
    IDR_MAINFRAME = 128,
    IDD_EXIT_DEFINITION = 129,
    IDC_MAP_FILE = 1000,
    IDC_BROWSE = 1001,
    IDC_NEXT = 1002,
    IDC_DIM_X = 1004,
    IDC_DIM_Y = 1005,
    IDC_DIM_Z = 1006,
    IDC_ID = 1007,
    IDC_SUBCELL_X = 1013,
    IDC_SUBCELL_Y = 1014,
    IDC_SUBCELL_Z = 1015,
    IDC_ADD = 1016,
    IDC_NORTH = 1017,
    IDC_SOUTH = 1018,
    IDC_EAST = 1019,
    IDC_WEST = 1020,
};
