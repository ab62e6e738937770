# The inputs and the timing that the benchmark scripts share; sourced, not
# run. PEER is the peer data folder (HIKEWISE_PEER_DATA_DIR or
# ../shared/peer-data beside the project).
PEER=${HIKEWISE_PEER_DATA_DIR:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/shared/peer-data}

# The peer NMEA logs, their comment lines left out, repeated to about 60 MB.
bench_nmea_log() { # OUT
  : > "$1"
  while [ "$(stat -c %s "$1")" -lt 60000000 ]; do
    cat "$PEER"/nmea/*.log | grep -v '^#' >> "$1"
  done
}

# A 3601 x 3601 GeoTIFF (a one-second tile's size) from a peer SRTM3 tile.
bench_dem_tile() { # OUT.tif
  gdal_translate -q -r bilinear -outsize 3601 3601 "$PEER/dem/N22W160.hgt" "$1"
}

# The Monaco extract, or as many copies of it (each renumbered past the
# others, then merged, so that every copy is imported again).
bench_map_extract() { # OUT.osm.pbf COPIES
  local monaco=$PEER/osm/monaco.osm.pbf parts=() start
  if [ "$2" -eq 1 ]; then
    cp "$monaco" "$1"
    return
  fi
  for ((i = 0; i < $2; i++)); do
    start=$(( i * 100000000 + 1 ))
    osmium renumber --no-progress -O -s "$start,$start,$start" -o "$1.part-$i.osm.pbf" "$monaco"
    parts+=("$1.part-$i.osm.pbf")
  done
  osmium merge --no-progress -O -o "$1" "${parts[@]}"
  rm -f "${parts[@]}"
}

# The best of three runs (BENCH_RUNS) of a command: wall time, processor
# time (user + system, the fairer figure on a busy machine) and the largest
# resident memory, in best_wall, best_cpu and best_rss. Each run starts with
# the disk idle, so that it does not wait on the writes of the run before.
# Standard input is IN, standard output goes to /dev/null.
bench_best() { # IN command...
  local in=$1
  shift
  local times runs=${BENCH_RUNS:-3} w u s m
  times=$(mktemp)
  best_wall=999999 best_cpu=999999 best_rss=0
  for ((run = 0; run < runs; run++)); do
    sync
    if ! /usr/bin/time -o "$times" -f '%e %U %S %M' "$@" < "$in" > /dev/null 2>&1; then
      echo "failed: $*" >&2
      rm -f "$times"
      return 1
    fi
    read -r w u s m < "$times"
    best_wall=$(awk -v a="$best_wall" -v b="$w" 'BEGIN { print (b < a ? b : a) }')
    best_cpu=$(awk -v a="$best_cpu" -v b="$u" -v c="$s" 'BEGIN { print (b + c < a ? b + c : a) }')
    best_rss=$(( m > best_rss ? m : best_rss ))
  done
  rm -f "$times"
}
