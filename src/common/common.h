#pragma once
// The small general routines shared by every layer, under one include: number lists, paths,
// list scans and registry strings. None keeps state between calls. QtCore only.

#include "common/file_paths.h"
#include "common/list_scan.h"
#include "common/number_list.h"
#include "common/registry_strings.h"
