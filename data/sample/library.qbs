# The sample subject: a small secondary-school science bank (physics and chemistry).
# The format is described in docs/library-source.md; the texts are in texts/ and are
# written from tools/make_texts.py.

library "Sample Science"
organisation "Riverside School"
template marksheet.qbt

# ---------------------------------------------------------------------------
# Classifying trees
# ---------------------------------------------------------------------------

tree topics "All topics"
  Physics
    "Forces and motion"
      "Speed and velocity"
      Acceleration
      "Newton's laws"
      "Stopping distances"
    Energy
      "Energy stores"
      "Power and efficiency"
      "Specific heat capacity"
    Electricity
      Circuits
      Resistance
    Waves
      "Properties of waves"
      "Electromagnetic spectrum"
    "Particle model"
      Density
  Chemistry
    "Atomic structure"
      "Atoms and isotopes"
      "The periodic table"
    Bonding
      "Ionic bonding"
      "Covalent structures"
    "Quantitative chemistry"
      "Relative formula mass"
      "Moles and reacting masses"
    "Chemical changes"
      "Acids and alkalis"
      Electrolysis
    "Rates and energy"
      "Rates of reaction"
      "Energy changes"

tree types "All question types"
  "Multiple choice"
  "Short answer"
  Structured
  Calculation
  "Extended writing"
  "Practical skills"

tree levels "All levels"
  Foundation
  Higher

tree papers "All papers"
  "Paper 1 Physics"
  "Paper 2 Chemistry"
  "Paper 3 Practical"

# ---------------------------------------------------------------------------
# Questions
# ---------------------------------------------------------------------------

tree questions "All questions"

  id 1 "Units of speed" "The SI unit of speed"
    question texts/q1.rtf marks 1 time 1
    markscheme texts/m1.rtf marks 1
    topics "Physics/Forces and motion/Speed and velocity"
    type "Multiple choice"
    level Foundation
    papers "Paper 1 Physics"
    related S:1.1

  id 2 "A cyclist's journey" "A cyclist's journey to school"
    note texts/n2.rtf
    related S:1.1
    id a "Average speed" "Average speed of a cyclist"
      question texts/q2a.rtf marks 3 time 4
      markscheme texts/m2a.rtf marks 3
      report texts/e2a.rtf
      topics "Physics/Forces and motion/Speed and velocity"
      type Calculation
      level Foundation
      papers "Paper 1 Physics"
      resources DS1
      related S:1.1 Q:2b
    id b "Distance-time graph" "Reading a distance–time graph"
      question texts/q2b.rtf marks 2 time 3
      markscheme texts/m2b.rtf marks 2
      topics "Physics/Forces and motion/Speed and velocity"
      type Structured
      level Foundation
      papers "Paper 1 Physics"
      related S:1.1 Q:2a
    id c "Speed and velocity" "Speed and velocity on a bend"
      question texts/q2c.rtf marks 2 time 2
      markscheme texts/m2c.rtf marks 2
      topics "Physics/Forces and motion/Speed and velocity"
      type "Short answer"
      level Higher
      papers "Paper 1 Physics"
      related S:1.1

  id 3 "Acceleration of a car" "Acceleration of a car joining a motorway"
    question texts/q3.rtf marks 4 time 5
    markscheme texts/m3.rtf marks 4
    report texts/e3.rtf
    topics "Physics/Forces and motion/Acceleration"
    type Calculation
    level Higher
    papers "Paper 1 Physics"
    resources DS1
    related S:1.2

  id 4 "Force on a trolley" "Resultant force and acceleration"
    question texts/q4.rtf marks 3 time 3
    markscheme texts/m4.rtf marks 3
    topics "Physics/Forces and motion/Newton's laws" "Physics/Forces and motion/Acceleration"
    type Calculation
    level Foundation
    papers "Paper 1 Physics"
    resources DS1
    related S:1.3 S:1.2

  id 5 "Third law pairs" "Newton's third law: a book on a table"
    question texts/q5.rtf marks 1 time 1
    markscheme texts/m5.rtf marks 1
    report texts/e5.rtf
    topics "Physics/Forces and motion/Newton's laws"
    type "Multiple choice"
    level Higher
    papers "Paper 1 Physics"
    related S:1.3

  id 6 "Stopping distance" "Factors affecting stopping distance"
    question texts/q6.rtf marks 6 time 8
    markscheme texts/m6.rtf marks 6
    report texts/e6.rtf
    topics "Physics/Forces and motion/Stopping distances"
    type "Extended writing"
    level Foundation
    papers "Paper 1 Physics"
    related S:1.4

  id 7 "A falling ball" "Energy of a falling ball"
    note texts/n7.rtf
    related S:2.1
    id a "Energy stores" "Energy stores of a falling ball"
      question texts/q7a.rtf marks 2 time 2
      markscheme texts/m7a.rtf marks 2
      topics "Physics/Energy/Energy stores"
      type "Short answer"
      level Foundation
      papers "Paper 1 Physics"
      related S:2.1
    id b "Kinetic energy" "Kinetic energy of a falling ball"
      question texts/q7b.rtf marks 3 time 3
      markscheme texts/m7b.rtf marks 3
      topics "Physics/Energy/Energy stores"
      type Calculation
      level Higher
      papers "Paper 1 Physics"
      resources DS1
      related S:2.1 Q:7c
    id c "Potential energy" "Gravitational potential energy of a ball"
      question texts/q7c.rtf marks 2 time 2
      markscheme texts/m7c.rtf marks 2
      topics "Physics/Energy/Energy stores"
      type Calculation
      level Foundation
      papers "Paper 1 Physics"
      resources DS1
      related S:2.1 Q:7b

  id 8 "Efficiency of a motor" "Efficiency of an electric motor"
    question texts/q8.rtf marks 3 time 3
    markscheme texts/m8.rtf marks 3
    topics "Physics/Energy/Power and efficiency"
    type Calculation
    level Foundation
    papers "Paper 1 Physics"
    resources DS1
    related S:2.2

  id 9 "Power of a kettle" "Energy transferred by a kettle"
    question texts/q9.rtf marks 3 time 3
    markscheme texts/m9.rtf marks 3
    report texts/e9.rtf
    topics "Physics/Energy/Power and efficiency"
    type Calculation
    level Higher
    papers "Paper 1 Physics"
    resources DS1
    related S:2.2

  id 10 "Parallel lamps" "Two lamps in parallel"
    question texts/q10.rtf marks 4 time 5
    markscheme texts/m10.rtf marks 4
    topics "Physics/Electricity/Circuits"
    type Structured
    level Foundation
    papers "Paper 1 Physics"
    related S:3.1

  id 11 "Resistance" "Resistance from voltage and current"
    question texts/q11.rtf marks 3 time 3
    markscheme texts/m11.rtf marks 3
    topics "Physics/Electricity/Resistance"
    type Calculation
    level Foundation
    papers "Paper 1 Physics"
    resources DS1
    related S:3.2

  id 12 "Filament lamp" "Current and resistance of a filament lamp"
    question texts/q12.rtf marks 4 time 5
    markscheme texts/m12.rtf marks 4
    report texts/e12.rtf
    topics "Physics/Electricity/Resistance"
    type Structured
    level Higher
    papers "Paper 1 Physics"
    related S:3.2

  id 13 Thermistor "Resistance of a thermistor"
    question texts/q13.rtf marks 1 time 1
    markscheme texts/m13.rtf marks 1
    topics "Physics/Electricity/Resistance"
    type "Multiple choice"
    level Higher
    papers "Paper 1 Physics"
    related S:3.2

  id 14 "Water waves" "Waves in a ripple tank"
    note texts/n14.rtf
    related S:4.1
    id a "Wave speed" "Speed of water waves"
      question texts/q14a.rtf marks 3 time 3
      markscheme texts/m14a.rtf marks 3
      topics "Physics/Waves/Properties of waves"
      type Calculation
      level Foundation
      papers "Paper 1 Physics"
      resources DS1
      related S:4.1
    id b "Types of wave" "Transverse and longitudinal waves"
      question texts/q14b.rtf marks 2 time 2
      markscheme texts/m14b.rtf marks 2
      topics "Physics/Waves/Properties of waves"
      type "Short answer"
      level Foundation
      papers "Paper 1 Physics"
      related S:4.1
    id c "Ripple tank" "Measuring the speed of water waves"
      question texts/q14c.rtf marks 4 time 6
      markscheme texts/m14c.rtf marks 4
      report texts/e14c.rtf
      topics "Physics/Waves/Properties of waves"
      type "Practical skills"
      level Higher
      papers "Paper 1 Physics" "Paper 3 Practical"
      related S:4.1 Q:14a

  id 15 "Order of the spectrum" "Wavelengths of the electromagnetic spectrum"
    question texts/q15.rtf marks 1 time 1
    markscheme texts/m15.rtf marks 1
    topics "Physics/Waves/Electromagnetic spectrum"
    type "Multiple choice"
    level Foundation
    papers "Paper 1 Physics"
    related S:4.2

  id 16 "Microwaves and UV" "Uses and dangers of microwaves and ultraviolet"
    question texts/q16.rtf marks 6 time 8
    markscheme texts/m16.rtf marks 6
    topics "Physics/Waves/Electromagnetic spectrum"
    type "Extended writing"
    level Higher
    papers "Paper 1 Physics"
    related S:4.2

  id 17 "Density of a stone" "Density of an irregular stone"
    question texts/q17.rtf marks 4 time 5
    markscheme texts/m17.rtf marks 4
    note texts/n17.rtf
    topics "Physics/Particle model/Density"
    type "Practical skills"
    level Foundation
    papers "Paper 1 Physics" "Paper 3 Practical"
    resources PW1
    related S:5.1 R:PW1

  id 18 "Density of aluminium" "Density of an aluminium block"
    question texts/q18.rtf marks 3 time 3
    markscheme texts/m18.rtf marks 3
    topics "Physics/Particle model/Density"
    type Calculation
    level Foundation
    papers "Paper 1 Physics"
    resources DS1
    related S:5.1

  id 19 "Specific heat capacity" "Specific heat capacity of aluminium"
    question texts/q19.rtf marks 4 time 5
    markscheme texts/m19.rtf marks 4
    report texts/e19.rtf
    topics "Physics/Energy/Specific heat capacity" "Physics/Energy/Power and efficiency"
    type Calculation
    level Higher
    papers "Paper 1 Physics" "Paper 3 Practical"
    resources DS1 PW3
    related S:2.3 Q:20

  # No mark scheme yet: the program shows its placeholder text.
  id 20 "Evaluating the method" "Evaluating a specific heat capacity experiment"
    question texts/q20.rtf marks 3 time 4
    topics "Physics/Energy/Specific heat capacity"
    type "Practical skills"
    level Higher
    papers "Paper 3 Practical"
    resources PW3
    related S:2.3 Q:19 R:PW3

  id 21 "Subatomic particles" "Masses and charges of subatomic particles"
    question texts/q21.rtf marks 3 time 3
    markscheme texts/m21.rtf marks 3
    topics "Chemistry/Atomic structure/Atoms and isotopes"
    type Structured
    level Foundation
    papers "Paper 2 Chemistry"
    related S:6.1

  id 22 "Isotopes of chlorine" "Isotopes of chlorine"
    note texts/n22.rtf
    related S:6.1
    id a "Isotopes" "What isotopes are"
      question texts/q22a.rtf marks 1 time 1
      markscheme texts/m22a.rtf marks 1
      topics "Chemistry/Atomic structure/Atoms and isotopes"
      type "Short answer"
      level Foundation
      papers "Paper 2 Chemistry"
      related S:6.1
    id b "Relative atomic mass" "Relative atomic mass of chlorine"
      question texts/q22b.rtf marks 3 time 3
      markscheme texts/m22b.rtf marks 3
      report texts/e22b.rtf
      topics "Chemistry/Atomic structure/Atoms and isotopes"
      type Calculation
      level Higher
      papers "Paper 2 Chemistry"
      related S:6.1 Q:22a

  id 23 "Group 1 metals" "Reactivity of the Group 1 metals"
    question texts/q23.rtf marks 6 time 8
    markscheme texts/m23.rtf marks 6
    topics "Chemistry/Atomic structure/The periodic table"
    type "Extended writing"
    level Higher
    papers "Paper 2 Chemistry"
    related S:6.2

  # No mark scheme yet.
  id 24 "Noble gases" "Why the noble gases are unreactive"
    question texts/q24.rtf marks 1 time 1
    topics "Chemistry/Atomic structure/The periodic table"
    type "Multiple choice"
    level Foundation
    papers "Paper 2 Chemistry"
    related S:6.2

  id 25 "Sodium chloride ions" "Forming the ions of sodium chloride"
    question texts/q25.rtf marks 4 time 4
    markscheme texts/m25.rtf marks 4
    topics "Chemistry/Bonding/Ionic bonding"
    type Structured
    level Foundation
    papers "Paper 2 Chemistry"
    related S:7.1

  id 26 "Ionic properties" "Properties of sodium chloride"
    question texts/q26.rtf marks 3 time 4
    markscheme texts/m26.rtf marks 3
    topics "Chemistry/Bonding/Ionic bonding"
    type "Short answer"
    level Higher
    papers "Paper 2 Chemistry"
    related S:7.1

  id 27 "Water molecules" "Covalent bonding in water"
    question texts/q27.rtf marks 2 time 2
    markscheme texts/m27.rtf marks 2
    topics "Chemistry/Bonding/Covalent structures"
    type "Short answer"
    level Foundation
    papers "Paper 2 Chemistry"
    related S:7.2

  id 28 "Diamond and graphite" "Structures of diamond and graphite"
    question texts/q28.rtf marks 6 time 8
    markscheme texts/m28.rtf marks 6
    report texts/e28.rtf
    topics "Chemistry/Bonding/Covalent structures"
    type "Extended writing"
    level Higher
    papers "Paper 2 Chemistry"
    related S:7.2

  id 29 "Formula masses" "Calculating relative formula masses"
    related S:8.1 R:DS2
    id a "Carbon dioxide" "Relative formula mass of carbon dioxide"
      question texts/q29a.rtf marks 2 time 2
      markscheme texts/m29a.rtf marks 2
      topics "Chemistry/Quantitative chemistry/Relative formula mass"
      type Calculation
      level Foundation
      papers "Paper 2 Chemistry"
      resources DS2
      related S:8.1
    id b "Calcium hydroxide" "Relative formula mass of calcium hydroxide"
      question texts/q29b.rtf marks 2 time 2
      markscheme texts/m29b.rtf marks 2
      topics "Chemistry/Quantitative chemistry/Relative formula mass"
      type Calculation
      level Foundation
      papers "Paper 2 Chemistry"
      resources DS2
      related S:8.1
    # No mark scheme yet.
    id c "Percentage of nitrogen" "Percentage by mass of nitrogen in ammonium nitrate"
      question texts/q29c.rtf marks 3 time 4
      topics "Chemistry/Quantitative chemistry/Relative formula mass"
      type Calculation
      level Higher
      papers "Paper 2 Chemistry"
      resources DS2
      related S:8.1

  id 30 "Mass of sodium hydroxide" "Mass of 0.25 mol of sodium hydroxide"
    question texts/q30.rtf marks 2 time 2
    markscheme texts/m30.rtf marks 2
    topics "Chemistry/Quantitative chemistry/Moles and reacting masses"
    type Calculation
    level Higher
    papers "Paper 2 Chemistry"
    resources DS2
    related S:8.2

  id 31 "Burning magnesium" "Reacting masses: burning magnesium"
    question texts/q31.rtf marks 4 time 5
    markscheme texts/m31.rtf marks 4
    report texts/e31.rtf
    note texts/n31.rtf
    topics "Chemistry/Quantitative chemistry/Moles and reacting masses"
    type Calculation
    level Higher
    papers "Paper 2 Chemistry"
    resources DS2
    related S:8.2 Q:30

  id 32 "The pH scale" "A solution of pH 2"
    question texts/q32.rtf marks 1 time 1
    markscheme texts/m32.rtf marks 1
    topics "Chemistry/Chemical changes/Acids and alkalis"
    type "Multiple choice"
    level Foundation
    papers "Paper 2 Chemistry"
    related S:9.1

  id 33 "Neutralisation" "The ionic equation for neutralisation"
    question texts/q33.rtf marks 2 time 2
    markscheme texts/m33.rtf marks 2
    topics "Chemistry/Chemical changes/Acids and alkalis"
    type "Short answer"
    level Higher
    papers "Paper 2 Chemistry"
    related S:9.1

  id 34 "Copper sulfate crystals" "Making crystals of copper sulfate"
    question texts/q34.rtf marks 6 time 8
    markscheme texts/m34.rtf marks 6
    topics "Chemistry/Chemical changes/Acids and alkalis"
    type "Extended writing"
    level Foundation
    papers "Paper 2 Chemistry" "Paper 3 Practical"
    related S:9.1

  id 35 "Lead bromide" "Electrolysis of molten lead bromide"
    question texts/q35.rtf marks 4 time 5
    markscheme texts/m35.rtf marks 4
    report texts/e35.rtf
    topics "Chemistry/Chemical changes/Electrolysis"
    type Structured
    level Higher
    papers "Paper 2 Chemistry"
    related S:9.2

  # No mark scheme yet.
  id 36 Brine "Electrolysis of sodium chloride solution"
    question texts/q36.rtf marks 3 time 4
    topics "Chemistry/Chemical changes/Electrolysis"
    type "Short answer"
    level Higher
    papers "Paper 2 Chemistry"
    related S:9.2 Q:35

  id 37 "Magnesium and acid" "Rate of reaction of magnesium with acid"
    related S:10.1
    id a "Changing the rate" "Changes that affect the rate"
      question texts/q37a.rtf marks 1 time 1
      markscheme texts/m37a.rtf marks 1
      topics "Chemistry/Rates and energy/Rates of reaction"
      type "Multiple choice"
      level Foundation
      papers "Paper 2 Chemistry"
      related S:10.1
    id b "Collision theory" "Collision theory and temperature"
      question texts/q37b.rtf marks 3 time 3
      markscheme texts/m37b.rtf marks 3
      topics "Chemistry/Rates and energy/Rates of reaction"
      type "Short answer"
      level Higher
      papers "Paper 2 Chemistry"
      related S:10.1
    id c "Mean rate" "Mean rate from a gas syringe"
      question texts/q37c.rtf marks 3 time 4
      markscheme texts/m37c.rtf marks 3
      report texts/e37c.rtf
      topics "Chemistry/Rates and energy/Rates of reaction"
      type Calculation
      level Higher
      papers "Paper 2 Chemistry"
      related S:10.1

  id 38 "Disappearing cross" "The disappearing cross experiment"
    question texts/q38.rtf marks 4 time 5
    markscheme texts/m38.rtf marks 4
    note texts/n38.rtf
    topics "Chemistry/Rates and energy/Rates of reaction"
    type "Practical skills"
    level Foundation
    papers "Paper 2 Chemistry" "Paper 3 Practical"
    resources PW2
    related S:10.1 R:PW2

  id 39 Catalysts "What catalysts are and why they are used"
    question texts/q39.rtf marks 2 time 2
    markscheme texts/m39.rtf marks 2
    topics "Chemistry/Rates and energy/Rates of reaction"
    type "Short answer"
    level Foundation
    papers "Paper 2 Chemistry"
    related S:10.1

  id 40 "Reaction profile" "Reaction profile for burning methane"
    question texts/q40.rtf marks 3 time 3
    markscheme texts/m40.rtf marks 3
    topics "Chemistry/Rates and energy/Energy changes"
    type Structured
    level Higher
    papers "Paper 2 Chemistry"
    related S:10.2

# ---------------------------------------------------------------------------
# Specification: units (no text of their own) and their points
# ---------------------------------------------------------------------------

tree syllabus "Specification"
  id 1 "Forces and motion" "1 Forces and motion"
    id .1 "Speed and velocity" "1.1 Speed and velocity"
      syllabus texts/s1.1.rtf
      related Q:1 Q:2a Q:2b Q:2c
    id .2 Acceleration "1.2 Acceleration"
      syllabus texts/s1.2.rtf
      related Q:3 Q:4
    id .3 "Newton's laws" "1.3 Newton's laws of motion"
      syllabus texts/s1.3.rtf
      related Q:4 Q:5
    id .4 "Stopping distances" "1.4 Stopping distances"
      syllabus texts/s1.4.rtf
      related Q:6
  id 2 Energy "2 Energy"
    id .1 "Energy stores" "2.1 Energy stores and transfers"
      syllabus texts/s2.1.rtf
      related Q:7a Q:7b Q:7c
    id .2 "Power and efficiency" "2.2 Power and efficiency"
      syllabus texts/s2.2.rtf
      related Q:8 Q:9
    id .3 "Specific heat capacity" "2.3 Specific heat capacity"
      syllabus texts/s2.3.rtf
      related Q:19 Q:20 R:PW3
  id 3 Electricity "3 Electricity"
    id .1 Circuits "3.1 Circuits"
      syllabus texts/s3.1.rtf
      related Q:10
    id .2 Resistance "3.2 Resistance"
      syllabus texts/s3.2.rtf
      related Q:11 Q:12 Q:13
  id 4 Waves "4 Waves"
    id .1 "Properties of waves" "4.1 Properties of waves"
      syllabus texts/s4.1.rtf
      related Q:14a Q:14b Q:14c
    id .2 "Electromagnetic spectrum" "4.2 The electromagnetic spectrum"
      syllabus texts/s4.2.rtf
      related Q:15 Q:16
  id 5 "Particle model" "5 Particle model of matter"
    id .1 Density "5.1 Density"
      syllabus texts/s5.1.rtf
      related Q:17 Q:18 R:PW1
  id 6 "Atomic structure" "6 Atomic structure and the periodic table"
    id .1 "Atoms and isotopes" "6.1 Atoms and isotopes"
      syllabus texts/s6.1.rtf
      related Q:21 Q:22a Q:22b
    id .2 "The periodic table" "6.2 The periodic table"
      syllabus texts/s6.2.rtf
      related Q:23 Q:24
  id 7 Bonding "7 Bonding and structure"
    id .1 "Ionic bonding" "7.1 Ionic bonding"
      syllabus texts/s7.1.rtf
      related Q:25 Q:26
    id .2 "Covalent structures" "7.2 Covalent structures"
      syllabus texts/s7.2.rtf
      related Q:27 Q:28
  id 8 "Quantitative chemistry" "8 Quantitative chemistry"
    id .1 "Relative formula mass" "8.1 Relative formula mass"
      syllabus texts/s8.1.rtf
      related Q:29a Q:29b Q:29c R:DS2
    id .2 "Moles" "8.2 Moles and reacting masses"
      syllabus texts/s8.2.rtf
      related Q:30 Q:31
  id 9 "Chemical changes" "9 Chemical changes"
    id .1 "Acids and alkalis" "9.1 Acids and alkalis"
      syllabus texts/s9.1.rtf
      related Q:32 Q:33 Q:34
    id .2 Electrolysis "9.2 Electrolysis"
      syllabus texts/s9.2.rtf
      related Q:35 Q:36
  id 10 "Rates and energy" "10 Rates and energy changes"
    id .1 "Rates of reaction" "10.1 Rates of reaction"
      syllabus texts/s10.1.rtf
      related Q:37a Q:37b Q:37c Q:38 Q:39 R:PW2
    id .2 "Energy changes" "10.2 Energy changes"
      syllabus texts/s10.2.rtf
      related Q:40

# ---------------------------------------------------------------------------
# Resources
# ---------------------------------------------------------------------------

tree resources "All resources"
  id DS1 "Physics data sheet" "Physics equations and data"
    resource texts/ds1.rtf
  id DS2 "Periodic table extract" "Relative atomic masses"
    resource texts/ds2.rtf
  id PW1 "Density practical" "Practical worksheet: measuring density"
    resource texts/pw1.rtf
    related S:5.1
  id PW2 "Rates practical" "Practical worksheet: the disappearing cross"
    resource texts/pw2.rtf
    related S:10.1
  id PW3 "Heating practical" "Practical worksheet: specific heat capacity"
    resource texts/pw3.rtf
    related S:2.3
