"""Questions 1 to 20 of the sample library: physics."""

TEXTS = {}


def T(name, markup):
    TEXTS[name] = markup


# 1 ------------------------------------------------------------------------------
T("q1", """
Which of these is the SI unit of speed?
@i Circle the letter of the correct answer.
A) m s
B) m s^{−1}
C) m s^{−2}
D) s m^{−1}
@marks 1
""")
T("m1", """
@table 9 2 6
| Answer | Mark | Guidance |
| **B** (m s^{−1}) | 1 | Accept m/s written beside the letter. |
""")

# 2 The cyclist ----------------------------------------------------------------------
T("n2", """
Parts (a), (b) and (c) follow one journey and build on one another: (a) and (b) suit all
students, (c) is for the higher tier.
Part (b) has a graph; when it is printed on its own, check that the graph is not split
across two pages.
A good extension: ask students to sketch the **speed–time** graph of the same journey.
""")
T("q2a", """
A cyclist rides 2.4 km to school. The journey takes her 8.0 minutes.
Calculate her average speed in m s^{−1}.
@lines 3
@r Average speed = ............................ m s^{−1}
@marks 3
""")
T("m2a", """
@table 9 2 6
| Answer | Mark | Guidance |
| distance = 2400 m **and** time = 480 s | 1 | both conversions needed |
| speed = distance ÷ time = 2400 ÷ 480 | 1 | |
| = 5.0 m s^{−1} | 1 | Allow 5 m s^{−1}. An answer of 0.3 (km per minute) scores 1 mark for the method only. |
""")
T("e2a", """
Almost every candidate recalled that speed = distance ÷ time, but many lost two marks by
dividing 2.4 by 8 and writing 0.3 m s^{−1}.
The question asks for the answer in m s^{−1}, so the kilometres and minutes have to be
converted //first//. Candidates who wrote the units beside every number in their working
nearly always noticed this.
""")
T("q2b", """
The graph shows the cyclist's journey to school.
@pic distance_time
(i) Describe her motion between 4 and 6 minutes.
@lines 1
(ii) Explain how the graph shows that she was travelling fastest between 6 and 8 minutes.
@lines 2
@marks 2
""")
T("m2b", """
@table 9 2 6
| Answer | Mark | Guidance |
| (i) she is stationary / not moving | 1 | Accept "stopped" (for example at traffic lights). |
| (ii) the line is steepest / has the greatest gradient there | 1 | Do not accept "the line goes up" on its own. |
""")
T("q2c", """
On the last part of her journey the cyclist rides round a bend at a constant speed of
10 m s^{−1}.
Explain why her **velocity** is changing even though her speed is constant.
@lines 3
@marks 2
""")
T("m2c", """
@table 9 2 6
| Answer | Mark | Guidance |
| velocity has a direction (velocity is a vector) | 1 | |
| her direction changes on the bend, so her velocity changes | 1 | Must refer to the change of direction. |
""")

# 3 Acceleration ------------------------------------------------------------------
T("q3", """
A car joins a motorway. It accelerates uniformly from 12 m s^{−1} to 30 m s^{−1} in 6.0 s.
(a) Calculate the acceleration of the car.
@lines 3
(b) Give the unit of your answer.
@lines 1
@marks 4
""")
T("m3", """
@table 9 2 6
| Answer | Mark | Guidance |
| (a) a = Δv ÷ t | 1 | The equation may be written with symbols or words. |
| = (30 − 12) ÷ 6.0 | 1 | Substitution with the //change// in velocity. |
| = 3.0 | 1 | 5 (from 30 ÷ 6) scores 0 for these two marks. |
| (b) m s^{−2} | 1 | Accept m/s^{2} and m/s/s. |
""")
T("e3", """
The most common error was to divide the final velocity by the time, giving 5. Candidates
should be taught that acceleration is the **change** in velocity per second, and that a
body that starts moving already has a velocity to subtract.
The unit was often given as m/s, which is the unit of velocity, not of acceleration.
""")

# 4 Newton's second law -------------------------------------------------------------
T("q4", """
A trolley of mass 0.80 kg is pulled along a bench by a resultant force of 2.0 N.
Calculate the acceleration of the trolley.
@lines 3
@r Acceleration = ............................ m s^{−2}
@marks 3
""")
T("m4", """
@table 9 2 6
| Answer | Mark | Guidance |
| F = m a, so a = F ÷ m | 1 | Rearrangement may be implied by the substitution. |
| a = 2.0 ÷ 0.80 | 1 | |
| = 2.5 m s^{−2} | 1 | Correct answer alone scores 3. |
""")

# 5 Newton's third law --------------------------------------------------------------
T("q5", """
A book rests on a table. The Earth pulls the book downwards with a force of 5 N.
Which force forms a Newton's third law pair with this force?
@i Circle the letter of the correct answer.
A) The table pushes the book upwards with a force of 5 N.
B) The book pulls the Earth upwards with a force of 5 N.
C) The book pushes the table downwards with a force of 5 N.
D) The air pushes the book downwards with a force of 5 N.
@marks 1
""")
T("m5", """
@table 9 2 6
| Answer | Mark | Guidance |
| **B** | 1 | |
""")
T("e5", """
Only about a third of candidates chose **B**. Most chose **A**: the table's push is equal
and opposite to the weight, but it acts on the //same// object, so the two forces balance
(Newton's first law) rather than forming a pair.
It helps to teach the three tests for a third-law pair: the forces act on **different**
objects, are of the **same type** (here both gravitational) and are equal and opposite.
""")

# 6 Stopping distance ------------------------------------------------------------------
T("q6", """
The stopping distance of a car is the sum of the thinking distance and the braking distance.
Describe the factors that affect the stopping distance of a car, and explain why a driver
who is using a mobile phone needs a longer stopping distance.
@lines 10
@marks 6
""")
T("m6", """
Mark with the levels below, then use the indicative content to place the answer within
its level.
@table 2.5 12 2.5
| Level | Descriptor | Marks |
| 3 | Factors for both thinking and braking distance, clearly linked to the distance they affect; a clear explanation of the effect of the phone. | 5–6 |
| 2 | Several factors, mostly linked correctly; the phone is linked to reaction time. | 3–4 |
| 1 | Some relevant factors listed with little explanation. | 1–2 |
| 0 | Nothing worthy of credit. | 0 |
@h Indicative content
- Thinking distance depends on the driver's reaction time and on the speed.
- Reaction time is increased by tiredness, alcohol, some drugs and distractions.
- Braking distance depends on the speed, the mass of the car, the condition of the brakes and tyres, and the road surface (wet or icy roads).
- A greater speed increases both distances.
- Using a phone distracts the driver, so the reaction time is longer.
- The car travels further before the brakes are applied, so the thinking distance (and the stopping distance) is longer.
""")
T("e6", """
Most answers listed several factors, but many did not say which distance each one affects,
which kept them in Level 2. Weather was often given on its own; the mark goes to the
//road surface// being wet or icy.
The best answers said that the phone does not change the braking distance at all: it
lengthens the time before braking starts.
""")

# 7 The falling ball ----------------------------------------------------------------
T("n7", """
Part (b) gives a smaller energy than part (c): 0.75 J of kinetic energy from 0.88 J of
gravitational potential energy. Ask the class where the other 0.13 J went (work done
against air resistance) – it makes a good discussion after the questions are marked.
""")
T("q7a", """
A ball is held above the floor and then dropped.
Name the energy store that decreases as the ball falls, and the energy store that increases.
@lines 2
@marks 2
""")
T("m7a", """
@table 9 2 6
| Answer | Mark | Guidance |
| gravitational potential (energy store) decreases | 1 | |
| kinetic (energy store) increases | 1 | Accept "movement energy" for this mark only if both are otherwise correct. |
""")
T("q7b", """
A ball of mass 0.060 kg hits the floor at a speed of 5.0 m s^{−1}.
Calculate the kinetic energy of the ball just before it hits the floor.
@lines 3
@r Kinetic energy = ............................ J
@marks 3
""")
T("m7b", """
@table 9 2 6
| Answer | Mark | Guidance |
| E_{k} = ½ m v^{2} | 1 | |
| = 0.5 × 0.060 × 5.0^{2} | 1 | |
| = 0.75 J | 1 | 0.15 J (speed not squared) scores 1. |
""")
T("q7c", """
The ball of mass 0.060 kg was dropped from a height of 1.5 m.
Calculate the decrease in the gravitational potential energy of the ball.
The gravitational field strength //g// = 9.8 N kg^{−1}.
@lines 3
@r Decrease in energy = ............................ J
@marks 2
""")
T("m7c", """
@table 9 2 6
| Answer | Mark | Guidance |
| E_{p} = m g h = 0.060 × 9.8 × 1.5 | 1 | |
| = 0.88 J | 1 | Accept 0.882 J and 0.9 J. |
""")

# 8 Efficiency ----------------------------------------------------------------------
T("q8", """
An electric motor lifts a load. The motor is supplied with 500 J of energy and gives the
load 150 J of gravitational potential energy.
(a) Calculate the efficiency of the motor.
@lines 2
(b) Explain why the efficiency of any motor must be less than 1 (100 %).
@lines 2
@marks 3
""")
T("m8", """
@table 9 2 6
| Answer | Mark | Guidance |
| (a) efficiency = useful output ÷ total input = 150 ÷ 500 | 1 | |
| = 0.30 (or 30 %) | 1 | A percentage needs the % sign. |
| (b) some energy is always dissipated / wasted, for example heating the surroundings because of friction | 1 | |
""")

# 9 Power -----------------------------------------------------------------------------
T("q9", """
A kettle has a power of 2.2 kW. It is switched on for 3.0 minutes.
Calculate the energy transferred by the kettle.
@lines 3
@r Energy = ............................ J
@marks 3
""")
T("m9", """
@table 9 2 6
| Answer | Mark | Guidance |
| E = P t | 1 | |
| = 2200 × 180 | 1 | both conversions |
| = 396 000 J | 1 | Accept 3.96 × 10^{5} J. 6.6 scores 1 (equation only). |
""")
T("e9", """
Too many candidates multiplied 2.2 by 3 and gave 6.6 J. Power must be in watts and time in
seconds before the energy comes out in joules. Candidates who used kW and hours correctly
(0.11 kW h) were given credit only when they then converted to joules as the question asked.
""")

# 10 Circuit -------------------------------------------------------------------------
T("q10", """
The diagram shows a circuit with a cell, an ammeter and two identical lamps L1 and L2.
@pic circuit
(a) The ammeter reads 0.40 A. What is the current in lamp L1?
@lines 1
(b) Lamp L2 is unscrewed. State what happens to lamp L1. Give a reason for your answer.
@lines 2
(c) Name the meter used to measure the potential difference across L1, and state how it
is connected to L1.
@lines 1
@marks 4
""")
T("m10", """
@table 9 2 6
| Answer | Mark | Guidance |
| (a) 0.20 A | 1 | The current divides equally between identical lamps. |
| (b) L1 stays lit (at the same brightness) | 1 | |
| there is still a complete circuit through L1 / each lamp is on its own branch | 1 | |
| (c) a voltmeter, connected in parallel with L1 | 1 | Both needed. |
""")

# 11 Resistance -------------------------------------------------------------------
T("q11", """
There is a potential difference of 6.0 V across a resistor. The current in it is 0.25 A.
Calculate the resistance of the resistor.
@lines 3
@r Resistance = ............................ Ω
@marks 3
""")
T("m11", """
@table 9 2 6
| Answer | Mark | Guidance |
| V = I R, so R = V ÷ I | 1 | |
| = 6.0 ÷ 0.25 | 1 | |
| = 24 Ω | 1 | 1.5 (I × V) scores 0. |
""")

# 12 Filament lamp -------------------------------------------------------------------
T("q12", """
A student measures the current in a filament lamp for different potential differences
across it.
Describe how the current changes as the potential difference increases, and explain the
change in terms of the resistance of the filament.
@lines 6
@marks 4
""")
T("m12", """
@table 9 2 6
| Answer | Mark | Guidance |
| the current increases, but not in proportion to the potential difference (the graph curves) | 1 | |
| the resistance of the filament increases | 1 | |
| because the filament gets hotter | 1 | |
| the ions in the metal vibrate more, so the electrons collide with them more often | 1 | |
""")
T("e12", """
The description was generally good, but explanations often stopped at "the lamp gets
hot". For the last mark candidates must say why a hotter metal resists the current:
the ions vibrate with a larger amplitude and the electrons collide with them more often.
Some candidates confused the filament lamp with a diode and said that current flows in
one direction only.
""")

# 13 Thermistor -------------------------------------------------------------------
T("q13", """
The temperature of a thermistor rises from 20 °C to 60 °C.
What happens to its resistance?
@i Circle the letter of the correct answer.
A) It increases.
B) It decreases.
C) It stays the same.
D) It increases and then decreases.
@marks 1
""")
T("m13", """
@table 9 2 6
| Answer | Mark | Guidance |
| **B** | 1 | |
""")

# 14 Water waves ----------------------------------------------------------------------
T("n14", """
The three parts suit a lesson with the ripple tank set up at the front. Part (c) is best
answered after students have used the tank themselves.
""")
T("q14a", """
Water waves in a ripple tank have a frequency of 4.0 Hz and a wavelength of 3.0 cm.
Calculate the speed of the waves in m s^{−1}.
@lines 3
@r Speed = ............................ m s^{−1}
@marks 3
""")
T("m14a", """
@table 9 2 6
| Answer | Mark | Guidance |
| v = f λ | 1 | |
| = 4.0 × 0.030 | 1 | wavelength converted to metres |
| = 0.12 m s^{−1} | 1 | 12 scores 2 (not converted). |
""")
T("q14b", """
Water waves are transverse waves. Sound waves are longitudinal waves.
Describe the difference between transverse and longitudinal waves.
@lines 3
@marks 2
""")
T("m14b", """
@table 9 2 6
| Answer | Mark | Guidance |
| transverse: the oscillations are perpendicular to the direction of energy transfer | 1 | Accept "at right angles to the direction the wave travels". |
| longitudinal: the oscillations are parallel to the direction of energy transfer | 1 | |
""")
T("q14c", """
Describe how a student could use a ripple tank, a metre rule and a stopwatch to find the
speed of water waves.
@lines 6
@marks 4
""")
T("m14c", """
@table 9 2 6
| Answer | Mark | Guidance |
| measure the length of several (for example 10) waves on the screen below the tank and divide by the number of waves to find the wavelength | 1 | |
| count the waves passing a point in a measured time (for example 10 s) and divide to find the frequency | 1 | |
| calculate the speed with v = f λ | 1 | |
| any one improvement: repeat and take a mean; use a stroboscope to freeze the pattern; take a photograph beside a rule | 1 | |
""")
T("e14c", """
Many candidates described a method for sound waves or simply restated the equation. The
best answers measured //many// wavelengths at once and //many// waves passing a point, which
reduces the uncertainty of each measurement – exactly what was practised in class.
""")

# 15 Electromagnetic spectrum ----------------------------------------------------------
T("q15", """
Which list puts the electromagnetic waves in order of **increasing** wavelength?
@i Circle the letter of the correct answer.
A) gamma rays, X-rays, ultraviolet, visible light
B) radio waves, microwaves, infrared, visible light
C) visible light, ultraviolet, X-rays, gamma rays
D) infrared, visible light, microwaves, radio waves
@marks 1
""")
T("m15", """
@table 9 2 6
| Answer | Mark | Guidance |
| **A** | 1 | |
""")

# 16 Uses and dangers -------------------------------------------------------------------
T("q16", """
Microwaves and ultraviolet radiation are both parts of the electromagnetic spectrum.
Compare their uses and the dangers each one presents to people.
@lines 10
@marks 6
""")
T("m16", """
@table 2.5 12 2.5
| Level | Descriptor | Marks |
| 3 | A balanced comparison of uses **and** dangers of both, with the dangers explained. | 5–6 |
| 2 | Uses and dangers of both, or a full account of one of them. | 3–4 |
| 1 | Some uses or dangers stated. | 1–2 |
| 0 | Nothing worthy of credit. | 0 |
@h Indicative content
- Microwaves: cooking (absorbed by water molecules in food), satellite communication, mobile phones.
- Microwaves can heat body tissue; the danger is internal heating.
- Ultraviolet: fluorescent lamps, security marking, sun tanning, sterilising water.
- Ultraviolet has a higher frequency and carries more energy per photon: it ages the skin prematurely, can cause skin cancer and damages the eyes.
- Ultraviolet is ionising at the high-frequency end; microwaves are not ionising.
""")

# 17 Density practical -------------------------------------------------------------------
T("n17", """
Set this straight after the density practical (worksheet PW1). Pebbles of 20 g to 50 g give
volumes that are easy to read on a 100 cm^{3} measuring cylinder; avoid porous stones.
""")
T("q17", """
A student wants to find the density of a small, irregularly shaped stone.
She has a displacement (eureka) can, a measuring cylinder, water and a balance.
Describe how she should find the density of the stone.
@lines 6
@marks 4
""")
T("m17", """
@table 9 2 6
| Answer | Mark | Guidance |
| fill the eureka can with water up to the spout (let the extra water drain away) | 1 | |
| lower the stone gently into the can and collect the water that overflows in the measuring cylinder | 1 | |
| the volume of water collected is the volume of the stone | 1 | |
| measure the mass of the stone on the balance and calculate density = mass ÷ volume | 1 | |
""")

# 18 Density calculation ---------------------------------------------------------------
T("q18", """
A block of aluminium measures 2.0 cm × 3.0 cm × 5.0 cm. Its mass is 81 g.
Calculate the density of aluminium in g cm^{−3}.
@lines 3
@r Density = ............................ g cm^{−3}
@marks 3
""")
T("m18", """
@table 9 2 6
| Answer | Mark | Guidance |
| volume = 2.0 × 3.0 × 5.0 = 30 cm^{3} | 1 | |
| ρ = m ÷ V = 81 ÷ 30 | 1 | |
| = 2.7 g cm^{−3} | 1 | |
""")

# 19 Specific heat capacity ---------------------------------------------------------------
T("q19", """
A student heats a 1.0 kg aluminium block with a 50 W electric heater for 5.0 minutes.
The temperature of the block rises from 20 °C to 36 °C.
Calculate the specific heat capacity of aluminium given by these results.
@lines 4
@r Specific heat capacity = ............................ J kg^{−1} °C^{−1}
@marks 4
""")
T("m19", """
@table 9 2 6
| Answer | Mark | Guidance |
| energy supplied E = P t = 50 × 300 = 15 000 J | 1 | |
| temperature rise Δθ = 36 − 20 = 16 °C | 1 | |
| c = ΔE ÷ (m Δθ) = 15 000 ÷ (1.0 × 16) | 1 | |
| = 940 J kg^{−1} °C^{−1} | 1 | Accept 937.5 and 938. |
""")
T("e19", """
This question was well answered by candidates who wrote down the energy supplied first.
Weaker answers used 36 °C instead of the temperature //rise//, or left the time in minutes
and gave 47 J kg^{−1} °C^{−1} without noticing that the value is unreasonably small.
""")

# 20 Specific heat capacity: evaluation (no mark scheme yet) ---------------------------------
T("q20", """
A student's value for the specific heat capacity of aluminium is 940 J kg^{−1} °C^{−1}.
The accepted value is 900 J kg^{−1} °C^{−1}.
(a) Explain why the student's value is higher than the accepted value.
@lines 2
(b) Suggest two improvements to the method.
@lines 2
@marks 3
""")
