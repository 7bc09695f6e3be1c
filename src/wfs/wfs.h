// The WFS library: recorder disks, their partitions and recordings.
#pragma once

#include "wfs_buffer.h"
#include "wfs_device.h"
#include "wfs_dir.h"
#include "wfs_file.h"
#include "wfs_log.h"
#include "wfs_partition.h"
#include "wfs_recover.h"
#include "wfs_search.h"
#include "wfs_time.h"
#include "wfs_types.h"
#include "wfs_userdata.h"
#include "wfs_volume.h"
