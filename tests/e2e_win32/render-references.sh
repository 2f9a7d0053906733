#!/usr/bin/env bash
# Draws, with the native tool, the picture each case of picture-cases.txt must show on the
# Windows saver's screen, as NAME.ppm; writes the test designs first.
# Usage: render-references.sh VIRELUNA DESIGN-WRITER SAMPLES CASES WORK
set -euo pipefail
tool=$1 writer=$2 samples=$3 cases=$4 work=$5
mkdir -p "$work/designs" "$work/references" "$work/failures"
rm -f "$work/references/"* "$work/failures/"*
"$writer" "$work/designs"

# An empty profile: a case's settings are all that differ from the defaults.
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT

while read -r name screen seed ticks settings designs; do
  [[ -z "$name" || "$name" == \#* ]] && continue
  # A list of monitors is a desk of several; a size is the one screen.
  if [[ "$screen" == *+* ]]; then desk=(--monitors "$screen"); else desk=(--screen "$screen"); fi
  args=(render "${desk[@]}" --seed "$seed" --ticks "$ticks"
        --profile "$profile/VirelunaLogo.ini" -o "$work/references/$name.png")
  if [[ "$settings" != "-" ]]; then
    IFS=, read -ra pairs <<<"$settings"
    for pair in "${pairs[@]}"; do
      # PenSize=2 becomes --pen-size 2
      flag=$(sed -E 's/([A-Z])/-\L\1/g' <<<"${pair%%=*}")
      value=${pair#*=}
      # The look and the playback are stored as numbers and named on the command line.
      if [[ "$flag" == -look ]]; then looks=(flat thread); value=${looks[$value]}; fi
      # Fit is a switch: 1 passes it, 0 leaves it out.
      if [[ "$flag" == -fit ]]; then
        [[ "$value" == 1 ]] && args+=(--fit)
        continue
      fi
      if [[ "$flag" == -playback ]]; then playbacks=(exact machine); value=${playbacks[$value]}; fi
      args+=("-$flag" "$value")
    done
  fi
  files=()
  for design in $designs; do
    if [[ "$design" == folder:samples ]]; then args+=(--folder "$samples")
    elif [[ "$design" == test/* ]]; then files+=("$work/designs/${design#test/}")
    else files+=("$samples/$design"); fi
  done
  "$tool" "${args[@]}" "${files[@]}" >/dev/null
  convert "$work/references/$name.png" "$work/references/$name.ppm"
done <"$cases"
echo "references: $(ls "$work/references" | grep -c '\.ppm$') pictures in $work/references"
